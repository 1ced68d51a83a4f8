# Debian's hardening flags, as dpkg-buildflags gives them with every hardening
# feature on (fortified functions, stack protector, format checks, full RELRO
# and immediate binding; PIE is the compiler's default), for every optimised
# build on a machine that has dpkg-buildflags: the package is built from such
# a build. Left out of the sanitizer build and of unoptimised builds, where
# _FORTIFY_SOURCE has no effect and glibc warns about it. The optimisation and
# debug flags stay the build type's, and source paths stay absolute for the
# debugger.
option(QUORVEL_DEBIAN_HARDENING "Compile and link with Debian's hardening flags" ON)
find_program(QUORVEL_DPKG_BUILDFLAGS dpkg-buildflags)
if(QUORVEL_DEBIAN_HARDENING AND QUORVEL_DPKG_BUILDFLAGS AND NOT QUORVEL_SANITIZE
   AND NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
    foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                    ${QUORVEL_DPKG_BUILDFLAGS} --get ${kind}
            OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
            RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed")
        endif()
        separate_arguments(flags UNIX_COMMAND "${flags}")
        list(FILTER flags EXCLUDE REGEX "^-(g|O.*|ffile-prefix-map=.*)$")
        if(kind STREQUAL "LDFLAGS")
            add_link_options(${flags})
        else()
            add_compile_options(${flags})
        endif()
        list(APPEND quorvel_hardening_flags ${flags})
    endforeach()
    message(STATUS "Debian hardening flags: ${quorvel_hardening_flags}")
endif()
