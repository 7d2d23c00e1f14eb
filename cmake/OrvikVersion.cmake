# orvik::version: the generated header orvik_version.h, which gives the programs the
# project version for their --version.
configure_file(${CMAKE_CURRENT_LIST_DIR}/orvik_version.h.in
               ${PROJECT_BINARY_DIR}/generated/orvik_version.h @ONLY)
add_library(orvik_version INTERFACE)
add_library(orvik::version ALIAS orvik_version)
target_include_directories(orvik_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
