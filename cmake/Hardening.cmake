# Debian's hardening flags, as dpkg-buildflags gives them with every hardening feature on:
# fortified libc calls, the strong stack protector, format-string checks, full RELRO with
# immediate binding and a position-independent executable. They go first on the command line,
# as in a Debian package build, so the build type's own flags still follow them.
# _FORTIFY_SOURCE needs optimisation, and the sanitizers bring checks of their own, so Debug and
# sanitizer builds go without.
if(NOT FOKARIUM_SANITIZE AND CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
    set(hardening_default ON)
else()
    set(hardening_default OFF)
endif()
option(FOKARIUM_HARDENING "Build with Debian's hardening flags from dpkg-buildflags" ${hardening_default})

if(FOKARIUM_HARDENING)
    find_program(FOKARIUM_DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
    function(fokarium_buildflags name out)
        # Run from the source tree, so its path is mapped to "." in the debug information.
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                    ${FOKARIUM_DPKG_BUILDFLAGS} --get ${name}
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
            OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
            COMMAND_ERROR_IS_FATAL ANY)
        set(${out} "${flags}" PARENT_SCOPE)
    endfunction()
    fokarium_buildflags(CPPFLAGS cppflags)
    fokarium_buildflags(CFLAGS cflags)
    fokarium_buildflags(CXXFLAGS cxxflags)
    fokarium_buildflags(LDFLAGS ldflags)
    set(CMAKE_C_FLAGS "${cppflags} ${cflags} ${CMAKE_C_FLAGS}")
    set(CMAKE_CXX_FLAGS "${cppflags} ${cxxflags} ${CMAKE_CXX_FLAGS}")
    set(CMAKE_EXE_LINKER_FLAGS "${ldflags} ${CMAKE_EXE_LINKER_FLAGS}")
    set(CMAKE_SHARED_LINKER_FLAGS "${ldflags} ${CMAKE_SHARED_LINKER_FLAGS}")
    # PIE: Debian's compiler makes position-independent executables by default; say so to CMake
    # too, so no target asks for the opposite.
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    include(CheckPIESupported)
    check_pie_supported()
endif()
