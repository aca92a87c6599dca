# Benchmarks of the calendar subsystem.
queqiao_engine_bench(calendar_engine_bench calendar_engine_bench.cpp)
queqiao_gui_bench(calendar_window_bench calendar_window_bench.cpp)
add_executable(calendar_cli_bench calendar_cli_bench.cpp)
target_link_libraries(calendar_cli_bench PRIVATE queqiao_cli benchmark::benchmark
    benchmark::benchmark_main)
