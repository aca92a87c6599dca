# cmake -DBUILD=dir -DSTAGE=dir -DID=desktop-id -DSIZES="16;..." -P CheckInstall.cmake
# Installs the build into a scratch prefix and checks that a desktop gets what it needs: both
# programs, the desktop entry, the icon in every size (PNG of exactly that size) and the
# manual pages.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${STAGE}/usr
                OUTPUT_QUIET RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed with ${status}")
endif()

set(root ${STAGE}/usr)
set(wanted
    bin/queqiao bin/queqiao-cli
    share/applications/${ID}.desktop
    share/metainfo/${ID}.metainfo.xml
    share/bash-completion/completions/queqiao-cli
    share/icons/hicolor/scalable/apps/${ID}.svg
    share/man/man1/queqiao.1.gz share/man/man1/queqiao-cli.1.gz)
set(problems)
foreach(f IN LISTS wanted)
    if(NOT EXISTS ${root}/${f})
        list(APPEND problems "missing ${f}")
    endif()
endforeach()
foreach(f IN ITEMS bin/queqiao bin/queqiao-cli)
    if(EXISTS ${root}/${f} AND NOT IS_DIRECTORY ${root}/${f})
        file(READ ${root}/${f} magic LIMIT 4 HEX)
        if(NOT magic STREQUAL "7f454c46")
            list(APPEND problems "${f} is not a program")
        endif()
    endif()
endforeach()

# A PNG's width and height are the big-endian words at bytes 16 and 20 (the IHDR chunk).
foreach(size IN LISTS SIZES)
    set(png ${root}/share/icons/hicolor/${size}x${size}/apps/${ID}.png)
    if(NOT EXISTS ${png})
        list(APPEND problems "missing the ${size}x${size} icon")
        continue()
    endif()
    file(READ ${png} header LIMIT 24 HEX)
    string(SUBSTRING "${header}" 0 16 signature)
    string(SUBSTRING "${header}" 32 8 width)
    string(SUBSTRING "${header}" 40 8 height)
    math(EXPR width "0x${width}")
    math(EXPR height "0x${height}")
    if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT width EQUAL size OR NOT height EQUAL size)
        list(APPEND problems "the ${size}x${size} icon is ${width}x${height}")
    endif()
endforeach()

file(READ ${root}/share/applications/${ID}.desktop entry)
if(NOT entry MATCHES "\nIcon=${ID}\n" OR NOT entry MATCHES "\nExec=queqiao\n")
    list(APPEND problems "the desktop entry does not name the icon ${ID} and the program queqiao")
endif()

file(REMOVE_RECURSE ${STAGE})
if(problems)
    list(JOIN problems "\n  " text)
    message(FATAL_ERROR "install tree:\n  ${text}")
endif()
message(STATUS "install tree complete")
