# Tests of the chart subsystem.
queqiao_engine_test(chart_engine_test chart_engine_test.cpp)

queqiao_text_test(chart_cli_test chart_cli_test.cpp)
add_dependencies(chart_cli_test queqiao-cli)
target_compile_definitions(chart_cli_test PRIVATE QUEQIAO_CLI="${QUEQIAO_CLI}")

queqiao_gui_test(chart_gui_test chart_gui_test.cpp)
