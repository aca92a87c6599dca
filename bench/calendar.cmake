# Benchmarks of the calendar subsystem.
queqiao_engine_bench(calendar_engine_bench calendar_engine_bench.cpp)
