# Compiler warnings for every target of the project; errors when FOKARIUM_WERROR is on (CI).
function(fokarium_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(FOKARIUM_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
