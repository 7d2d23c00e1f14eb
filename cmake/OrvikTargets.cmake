# Helpers that give every target of the project the same settings.

set(ORVIK_WARNINGS -Wall -Wextra -Wpedantic)
if(ORVIK_WERROR)
  list(APPEND ORVIK_WARNINGS -Werror)
endif()

if(ORVIK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# orvik_settings(<target>): C++20 and the project's warnings.
function(orvik_settings target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  target_compile_options(${target} PRIVATE ${ORVIK_WARNINGS})
endfunction()

# orvik_add_library(<name> SOURCES ... [DEPS ...]): static library orvik_<name>, alias orvik::<name>.
function(orvik_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(orvik_${name} STATIC ${ARG_SOURCES})
  add_library(orvik::${name} ALIAS orvik_${name})
  target_include_directories(orvik_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(orvik_${name} PUBLIC ${ARG_DEPS})
  orvik_settings(orvik_${name})
endfunction()

# orvik_add_executable(<name> SOURCES ... [DEPS ...]): a program, the project root on its
# include path. The programs, tests, benchmarks and fuzz targets are all made by it.
function(orvik_add_executable name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  orvik_settings(${name})
endfunction()

# orvik_add_gtest(<name> SOURCES ... [DEPS ...]): one GoogleTest executable, one CTest entry.
function(orvik_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  find_package(GTest REQUIRED)
  orvik_add_executable(${name} SOURCES ${ARG_SOURCES}
    DEPS ${ARG_DEPS} GTest::gtest GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
endfunction()

# orvik_add_qtest(<name> SOURCES ... [DEPS ...]): one Qt Test executable run on the offscreen platform.
function(orvik_add_qtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  find_package(Qt6 REQUIRED COMPONENTS Test Widgets)
  orvik_add_executable(${name} SOURCES ${ARG_SOURCES} DEPS ${ARG_DEPS} Qt6::Test Qt6::Widgets)
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
