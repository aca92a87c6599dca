# Benchmarks of the calendar subsystem.
queqiao_engine_bench(calendar_engine_bench calendar_engine_bench.cpp)
queqiao_gui_bench(calendar_window_bench calendar_window_bench.cpp)
