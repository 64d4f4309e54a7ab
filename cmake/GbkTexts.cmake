# Writes a C++ header holding the program's texts as GBK bytes, from their UTF-8 list.
# cmake -DINPUT=<program_texts.txt> -DOUTPUT=<program_texts.h> -DICONV=<iconv> -P GbkTexts.cmake
#
# A line of the list is "name = text"; "\r\n" in a text is a line break (CR LF); a name "a.b"
# is the text b in namespace texts::a. Lines starting with # and empty lines are comments.
file(STRINGS "${INPUT}" lines ENCODING UTF-8)
set(work "${OUTPUT}.work")
set(body "")
foreach(line IN LISTS lines)
    if(line STREQUAL "" OR line MATCHES "^#")
        continue()
    endif()
    if(NOT line MATCHES "^([^ ]+) = (.*)$")
        message(FATAL_ERROR "${INPUT}: not a \"name = text\" line: ${line}")
    endif()
    set(name "${CMAKE_MATCH_1}")
    set(written "${CMAKE_MATCH_2}")
    string(REPLACE "\\r\\n" "\r\n" text "${written}")
    set(namespace texts)
    if(name MATCHES "^(.+)\\.([^.]+)$")
        set(namespace "texts::${CMAKE_MATCH_1}")
        set(name "${CMAKE_MATCH_2}")
    endif()
    file(WRITE "${work}.utf8" "${text}")
    execute_process(COMMAND "${ICONV}" -f UTF-8 -t GBK "${work}.utf8"
        OUTPUT_FILE "${work}.gbk" RESULT_VARIABLE failed ERROR_VARIABLE why)
    if(failed)
        message(FATAL_ERROR "${INPUT}: ${name} has no GBK form: ${why}")
    endif()
    file(READ "${work}.gbk" hex HEX)
    string(REGEX REPLACE "(..)" "\\\\x\\1" bytes "${hex}")
    string(APPEND body "namespace ${namespace} {\n// ${written}\ninline constexpr char ${name}[] = \"${bytes}\";\n}\n")
endforeach()
file(REMOVE "${work}.utf8" "${work}.gbk")
file(WRITE "${work}"
    "// Generated from ${INPUT} by GbkTexts.cmake; do not edit.\n"
    "// The program's texts as GBK bytes; the list names each one's text.\n"
    "#pragma once\n\n${body}")
file(COPY_FILE "${work}" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${work}")
