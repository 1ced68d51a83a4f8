# Project-wide compiler flags: strict warnings, and optionally warnings as
# errors (CI) and the address/undefined-behaviour sanitizers.
add_compile_options(-Wall -Wextra -Wshadow -Wpedantic -Wnon-virtual-dtor -Wold-style-cast
                    -Wcast-align -Woverloaded-virtual)
if(QUORVEL_WERROR)
    add_compile_options(-Werror)
endif()
if(QUORVEL_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_compile_definitions(_GLIBCXX_ASSERTIONS)
    add_link_options(-fsanitize=address,undefined)
endif()
