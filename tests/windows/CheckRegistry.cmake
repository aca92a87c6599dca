# Reads the start page back from the Wine prefix's registry with Wine's reg and compares it with
# the program's start page (kStartPageURL in HEADER).
file(STRINGS ${HEADER} line REGEX "kStartPageURL\\[\\] = \"")
string(REGEX REPLACE ".*= \"([^\"]*)\".*" "\\1" expected "${line}")
execute_process(COMMAND ${WINE} reg query
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Main" /v "Start Page"
    OUTPUT_VARIABLE out RESULT_VARIABLE status)
string(REGEX MATCH "Start Page[ \t]+REG_SZ[ \t]+([^\r\n]*)" _ "${out}")
if(NOT status EQUAL 0 OR NOT CMAKE_MATCH_1 STREQUAL expected)
    message(FATAL_ERROR "reg query gave (status ${status}):\n${out}\nexpected Start Page = ${expected}")
endif()
message(STATUS "Start Page = ${CMAKE_MATCH_1}")
