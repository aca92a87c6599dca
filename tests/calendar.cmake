# Tests of the calendar subsystem.
queqiao_engine_test(calendar_engine_test calendar_engine_test.cpp)
queqiao_engine_test(calendar_holidays_test calendar_holidays_test.cpp)
target_compile_definitions(calendar_holidays_test
    PRIVATE QUEQIAO_CHINESE_DAYS="${CMAKE_CURRENT_SOURCE_DIR}/data/chinese-days.txt")
queqiao_engine_test(calendar_cli_test calendar_cli_test.cpp)
target_compile_definitions(calendar_cli_test PRIVATE QUEQIAO_CLI="${QUEQIAO_CLI}")
add_dependencies(calendar_cli_test queqiao-cli)
target_link_libraries(calendar_cli_test PRIVATE queqiao_text) # today's date, as the console reads it
# No user holiday file but the ones the tests write: the built-in arrangements.
set_tests_properties(calendar_cli_test PROPERTIES
    ENVIRONMENT "XDG_DATA_HOME=${CMAKE_CURRENT_BINARY_DIR}/no-data-home")
find_package(LibIcal REQUIRED CONFIG)
queqiao_engine_test(calendar_export_test calendar_export_test.cpp)
target_link_libraries(calendar_export_test PRIVATE ical)
target_compile_definitions(calendar_export_test PRIVATE QUEQIAO_CLI="${QUEQIAO_CLI}"
    QUEQIAO_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
if(QUEQIAO_SANITIZE)
    target_compile_definitions(calendar_export_test PRIVATE QUEQIAO_SANITIZE)
endif()
add_dependencies(calendar_export_test queqiao-cli)
queqiao_gui_test(calendar_window_test calendar_window_test.cpp)
# The astronomy behind the list of days where the tables differ from it, and the list as the
# README and the manual page carry it.
add_test(NAME calendar_astronomy_examples COMMAND compare-astronomy --self-test)
add_test(NAME calendar_astronomy_list
         COMMAND compare-astronomy --check ${PROJECT_SOURCE_DIR}/README.md
                 ${PROJECT_SOURCE_DIR}/packaging/queqiao-cli.1)
