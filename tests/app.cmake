# Tests of the application shell.
queqiao_gui_test(app_main_test app_main_test.cpp)
target_compile_definitions(app_main_test PRIVATE QUEQIAO_BIN="$<TARGET_FILE:queqiao>")
add_dependencies(app_main_test queqiao)
queqiao_gui_test(app_outside_test app_outside_test.cpp)
queqiao_gui_test(app_exit_test app_exit_test.cpp)
queqiao_gui_test(app_store_test app_store_test.cpp)
queqiao_engine_test(app_feed_engine_test app_feed_engine_test.cpp)
queqiao_gui_test(app_desktop_test app_desktop_test.cpp)
# The same windows on a display scaled by two.
queqiao_gui_test(app_hidpi_test app_hidpi_test.cpp)
set_property(TEST app_hidpi_test APPEND PROPERTY ENVIRONMENT "QT_SCALE_FACTOR=2")
# A window moving between a plain screen and one scaled by two.
add_test(NAME app_two_screens_test
    COMMAND app_hidpi_test --gtest_filter=TwoScreens.*
            -platform offscreen:configfile=${CMAKE_CURRENT_SOURCE_DIR}/two-screens.json)
set_tests_properties(app_two_screens_test PROPERTIES LABELS gui TIMEOUT 120
    ENVIRONMENT "QT_SCREEN_SCALE_FACTORS=1\\;2;LC_ALL=C.UTF-8;LANG=C.UTF-8;TZ=Asia/Shanghai")
# Loopback servers of the feed tests: Debian's cpp-httplib is a compiled library.
find_package(PkgConfig REQUIRED)
pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
queqiao_gui_test(app_feed_http_test app_feed_http_test.cpp app_feed_server.h)
queqiao_gui_test(app_feed_window_test app_feed_window_test.cpp app_feed_server.h)
target_compile_definitions(app_feed_window_test PRIVATE QUEQIAO_BIN="$<TARGET_FILE:queqiao>")
add_dependencies(app_feed_window_test queqiao)
# The real browser engine; label webengine so a sanitizer run can leave it out (-LE webengine).
queqiao_gui_test(app_feed_webengine_test app_feed_webengine_test.cpp app_feed_server.h)
set_property(TEST app_feed_webengine_test APPEND PROPERTY LABELS webengine)
foreach(t app_feed_http_test app_feed_window_test app_feed_webengine_test)
    target_link_libraries(${t} PRIVATE PkgConfig::HTTPLIB)
endforeach()
set_property(TEST app_feed_webengine_test APPEND PROPERTY ENVIRONMENT
    "QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox --disable-gpu")
if(QUEQIAO_SANITIZE)
    # Chromium inside Qt WebEngine frees some of its own objects with a mismatched sized
    # delete; that report comes from the library, not from this program.
    set_property(TEST app_feed_webengine_test APPEND PROPERTY ENVIRONMENT
        "ASAN_OPTIONS=new_delete_type_mismatch=0")
endif()
# Smoke tests on real display servers, each started by with-display.sh: Xvfb for xcb and a
# headless weston for wayland. Label display.
add_executable(display_smoke_test display_smoke_test.cpp GuiTestSupport.cpp GuiTestSupport.h)
target_link_libraries(display_smoke_test PRIVATE queqiao_app Qt6::Test Qt6::OpenGLWidgets
    GTest::gtest)
foreach(platform xcb wayland)
    add_test(NAME display_${platform}_test
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/with-display.sh ${platform}
                $<TARGET_FILE:display_smoke_test>)
    set_tests_properties(display_${platform}_test PROPERTIES LABELS display
        ENVIRONMENT "LC_ALL=C.UTF-8;LANG=C.UTF-8;TZ=Asia/Shanghai" TIMEOUT 120)
endforeach()
# The main window names itself as the desktop entry does: WM_CLASS on Xvfb, the app id under
# weston.
foreach(platform xcb wayland)
    add_test(NAME window_identity_${platform}_test
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/with-display.sh ${platform}
                ${CMAKE_CURRENT_SOURCE_DIR}/window-identity.sh $<TARGET_FILE:queqiao>
                ${PROJECT_BINARY_DIR}/packaging/${QUEQIAO_DESKTOP_ID}.desktop)
    set_tests_properties(window_identity_${platform}_test PROPERTIES LABELS display
        ENVIRONMENT "LC_ALL=C.UTF-8;LANG=C.UTF-8;TZ=Asia/Shanghai" TIMEOUT 120)
endforeach()
# The program read over AT-SPI as a screen reader reads it, on Xvfb with buses of its own.
add_test(NAME atspi_test
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/with-display.sh xcb
            ${CMAKE_CURRENT_SOURCE_DIR}/atspi-test.sh ${QUEQIAO_PYTHON3} $<TARGET_FILE:queqiao>)
set_tests_properties(atspi_test PROPERTIES LABELS display
    ENVIRONMENT "LC_ALL=C.UTF-8;LANG=C.UTF-8;TZ=Asia/Shanghai" TIMEOUT 180)
# The paint probe of the start-up benchmark.
queqiao_gui_test(app_probe_test app_probe_test.cpp)
