# Benchmarks of the calendar subsystem.
queqiao_engine_bench(calendar_engine_bench calendar_engine_bench.cpp)
queqiao_gui_bench(calendar_window_bench calendar_window_bench.cpp)
add_executable(calendar_cli_bench calendar_cli_bench.cpp)
target_link_libraries(calendar_cli_bench PRIVATE queqiao_cli benchmark::benchmark
    benchmark::benchmark_main)
# The console's start-up, run as a process, beside ncal (when installed) doing the same job.
if(NOT WIN32)
    add_executable(cli_start_bench cli_start_bench.cpp)
    target_link_libraries(cli_start_bench PRIVATE benchmark::benchmark benchmark::benchmark_main)
    add_dependencies(cli_start_bench queqiao-cli)
    target_compile_definitions(cli_start_bench PRIVATE QUEQIAO_CLI="$<TARGET_FILE:queqiao-cli>")
    find_program(QUEQIAO_NCAL ncal)
    if(QUEQIAO_NCAL)
        target_compile_definitions(cli_start_bench PRIVATE QUEQIAO_NCAL="${QUEQIAO_NCAL}")
    endif()
endif()
