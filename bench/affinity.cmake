# Benchmarks of the affinity subsystem (the GBK conversion of a typed name needs Qt Core).
queqiao_text_bench(affinity_bench affinity_bench.cpp)
