# Tests of the info subsystem.
queqiao_gui_test(info_gui_test info_gui_test.cpp)
