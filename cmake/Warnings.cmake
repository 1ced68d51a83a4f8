# The compiler flags of the project's own targets, as two INTERFACE targets
# that every target of the tree links (quorvel_apply_build_flags, called once
# all folders are added): strict warnings, optionally as errors (CI), and
# optionally the address and undefined-behaviour sanitizers. Each knows the
# spelling of GCC and Clang and that of MSVC; third-party code built elsewhere
# never sees them.
add_library(quorvel_warnings INTERFACE)
if(MSVC)
    target_compile_options(quorvel_warnings INTERFACE /W4 /permissive-
                           $<$<BOOL:${QUORVEL_WERROR}>:/WX>)
elseif(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(quorvel_warnings INTERFACE
        -Wall -Wextra -Wshadow -Wpedantic -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
        -Woverloaded-virtual $<$<BOOL:${QUORVEL_WERROR}>:-Werror>)
else()
    message(WARNING "No warning flags known for ${CMAKE_CXX_COMPILER_ID}")
endif()

add_library(quorvel_sanitizers INTERFACE)
if(QUORVEL_SANITIZE)
    if(MSVC)
        # MSVC has the address sanitizer only.
        target_compile_options(quorvel_sanitizers INTERFACE /fsanitize=address)
    else()
        target_compile_options(quorvel_sanitizers INTERFACE
            -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
        target_link_options(quorvel_sanitizers INTERFACE -fsanitize=address,undefined)
    endif()
    if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        # The standard library's own checks (libstdc++).
        target_compile_definitions(quorvel_sanitizers INTERFACE _GLIBCXX_ASSERTIONS)
    endif()
endif()

# Links both to every library and program defined in `folder` and below, so
# that no target of the tree is built without them.
function(quorvel_apply_build_flags folder)
    get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
            target_link_libraries(${target} PRIVATE quorvel_warnings quorvel_sanitizers)
        endif()
    endforeach()
    get_property(folders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
    foreach(subfolder IN LISTS folders)
        quorvel_apply_build_flags(${subfolder})
    endforeach()
endfunction()
