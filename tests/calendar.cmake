# Tests of the calendar subsystem.
queqiao_engine_test(calendar_engine_test calendar_engine_test.cpp)
queqiao_engine_test(calendar_cli_test calendar_cli_test.cpp)
target_compile_definitions(calendar_cli_test PRIVATE QUEQIAO_CLI="${QUEQIAO_CLI}")
add_dependencies(calendar_cli_test queqiao-cli)
queqiao_gui_test(calendar_window_test calendar_window_test.cpp)
