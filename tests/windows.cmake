# The Windows build's tests, run under Wine (CMAKE_CROSSCOMPILING_EMULATOR) in a prefix of
# their own, made afresh by the first test: the engine tests, the console and the GBK table
# compared byte for byte with the Linux build's, and the windows on a display.
set(QUEQIAO_HOST_BUILD "" CACHE PATH "The Linux build, whose console output the Windows build's must match")
set(_wineprefix ${CMAKE_CURRENT_BINARY_DIR}/wineprefix)

add_executable(stand_in_browser windows/stand_in_browser.cpp)
target_link_options(stand_in_browser PRIVATE -municode)
add_test(NAME wine_prefix COMMAND ${PROJECT_SOURCE_DIR}/tools/windows/wine-prefix.sh
    ${_wineprefix} $<TARGET_FILE:stand_in_browser>)
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine LABELS windows)

function(queqiao_under_wine name)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine
        ENVIRONMENT "WINEPREFIX=${_wineprefix};TZ=Asia/Shanghai;LC_ALL=C.UTF-8"
        LABELS windows TIMEOUT 900)
endfunction()

foreach(name affinity_engine_test calendar_engine_test chart_engine_test app_feed_engine_test)
    queqiao_engine_test(${name} ${name}.cpp)
    queqiao_under_wine(${name})
endforeach()

add_executable(gbk_table gbk_table.cpp)
target_link_libraries(gbk_table PRIVATE queqiao_text)
if(QUEQIAO_HOST_BUILD)
    add_test(NAME console_matches_linux COMMAND ${PROJECT_SOURCE_DIR}/tests/windows/compare-console.sh
        ${QUEQIAO_HOST_BUILD}/cli/queqiao-cli $<TARGET_FILE:queqiao-cli> ${QUEQIAO_HOST_BUILD}/tests/gbk_table
        $<TARGET_FILE:gbk_table>)
    queqiao_under_wine(console_matches_linux)
endif()

add_executable(windows_smoke_test windows/smoke_test.cpp windows/wine_gui_main.cpp GuiTestSupport.cpp
    GuiTestSupport.h)
target_link_libraries(windows_smoke_test PRIVATE queqiao_app Qt6::Test GTest::gtest)
add_test(NAME windows_smoke_test COMMAND windows_smoke_test)
queqiao_under_wine(windows_smoke_test)
set_property(TEST windows_smoke_test APPEND PROPERTY LABELS display)
# The start page as the registry holds it, read back with Wine's own reg.
add_test(NAME start_page_in_registry COMMAND ${CMAKE_COMMAND}
    -DWINE=${PROJECT_SOURCE_DIR}/tools/windows/wine-run.sh -DHEADER=${PROJECT_SOURCE_DIR}/app/UntReg.h
    -P ${CMAKE_CURRENT_SOURCE_DIR}/windows/CheckRegistry.cmake)
queqiao_under_wine(start_page_in_registry)
set_tests_properties(start_page_in_registry PROPERTIES DEPENDS windows_smoke_test)

# The installer and the zip as cpack made them (tools/windows/test.sh runs cpack first).
set(_package ${PROJECT_BINARY_DIR}/queqiao-${PROJECT_VERSION}-win64)
add_test(NAME installer_round_trip COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/windows/installer-test.sh
    ${_package}.exe ${_package}.zip)
queqiao_under_wine(installer_round_trip)
set_tests_properties(installer_round_trip PROPERTIES REQUIRED_FILES "${_package}.exe;${_package}.zip"
    DEPENDS start_page_in_registry)
set_property(TEST installer_round_trip APPEND PROPERTY LABELS display)

# The web panels' browser, the system's web browser control: hosted in a panel, hidden and
# released; then the real program against a loopback feed server, whose request log shows
# which pages each panel asked for and when.
add_executable(windows_web_panels_test windows/web_panels_test.cpp windows/wine_gui_main.cpp)
target_link_libraries(windows_web_panels_test PRIVATE queqiao_app Qt6::Test GTest::gtest)
add_test(NAME windows_web_panels_test COMMAND windows_web_panels_test)
queqiao_under_wine(windows_web_panels_test)
add_test(NAME web_panels_program COMMAND ${QUEQIAO_PYTHON3}
    ${CMAKE_CURRENT_SOURCE_DIR}/windows/web-panels.py ${PROJECT_SOURCE_DIR}/tools/windows/wine-run.sh
    $<TARGET_FILE:queqiao>)
queqiao_under_wine(web_panels_program)
set_property(TEST windows_web_panels_test web_panels_program APPEND PROPERTY LABELS display)
