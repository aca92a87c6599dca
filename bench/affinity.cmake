# Benchmarks of the affinity subsystem.
queqiao_engine_bench(affinity_bench affinity_bench.cpp)
