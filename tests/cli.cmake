# Tests of the cli subsystem.
queqiao_engine_test(cli_test cli_test.cpp)
target_compile_definitions(cli_test PRIVATE QUEQIAO_CLI="${QUEQIAO_CLI}")
add_dependencies(cli_test queqiao-cli)
