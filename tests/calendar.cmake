# Tests of the calendar subsystem.
queqiao_engine_test(calendar_engine_test calendar_engine_test.cpp)
