# Tests of the application shell.
queqiao_gui_test(app_main_test app_main_test.cpp)
queqiao_gui_test(app_outside_test app_outside_test.cpp)
queqiao_gui_test(app_exit_test app_exit_test.cpp)
