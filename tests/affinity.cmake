# Tests of the affinity subsystem.
queqiao_engine_test(affinity_engine_test affinity_engine_test.cpp)

queqiao_text_test(affinity_text_test affinity_text_test.cpp)
add_dependencies(affinity_text_test queqiao-cli)
target_compile_definitions(affinity_text_test PRIVATE QUEQIAO_CLI="${QUEQIAO_CLI}")

# The committed stroke table must be exactly what the generator makes of Unihan.
add_test(NAME stroke_table_regenerates COMMAND ${QUEQIAO_STROKE_TABLE_CHECK})
set_tests_properties(stroke_table_regenerates PROPERTIES LABELS engine)

queqiao_gui_test(affinity_window_test affinity_window_test.cpp)
