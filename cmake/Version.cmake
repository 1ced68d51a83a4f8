# The program's version, from project(VERSION), as a header the programs
# include: quorvel_version gives its include path.
configure_file(${CMAKE_CURRENT_LIST_DIR}/QuorvelVersion.h.in
               ${PROJECT_BINARY_DIR}/generated/QuorvelVersion.h @ONLY)
add_library(quorvel_version INTERFACE)
target_include_directories(quorvel_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
