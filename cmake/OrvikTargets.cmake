# Helpers that give every target of the project the same settings.
#
# Each target sees only the folders of the targets it depends on: its own folder is exposed
# through an include folder of its own in the build tree, which holds one link, named by the
# folder's path in the project (decoder, shell/dialog, tests/shell), to the folder itself.
# So '#include "decoder/bit_reader.h"' compiles only in targets that depend on the decoder,
# and the layering test (scripts/check_layering.py) reads the same dependencies.

set(ORVIK_WARNINGS -Wall -Wextra -Wpedantic)
if(ORVIK_WERROR)
  list(APPEND ORVIK_WARNINGS -Werror)
endif()

if(ORVIK_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(ORVIK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# orvik_settings(<target>): C++20 and the project's warnings.
function(orvik_settings target)
  target_compile_features(${target} PUBLIC cxx_std_20)
  target_compile_options(${target} PRIVATE ${ORVIK_WARNINGS})
endfunction()

# orvik_expose_folder(<target> <PUBLIC|PRIVATE|INTERFACE>): puts the folder the target is
# declared in on its include path, by the folder's path within the project, and records the
# target's folder and dependencies for the layering test.
function(orvik_expose_folder target scope)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  target_include_directories(${target} ${scope} ${root})
  set_property(GLOBAL APPEND PROPERTY ORVIK_LAYERING_TARGETS ${target})
  set_property(GLOBAL PROPERTY ORVIK_FOLDER_OF_${target} ${folder})
endfunction()

# orvik_record_deps(<target> <deps>...): the project's own targets among deps, for the
# layering test.
function(orvik_record_deps target)
  set(own)
  foreach(dep IN LISTS ARGN)
    string(REGEX REPLACE "^orvik::" "orvik_" dep ${dep})
    if(dep MATCHES "^orvik_")
      list(APPEND own ${dep})
    endif()
  endforeach()
  set_property(GLOBAL PROPERTY ORVIK_DEPS_OF_${target} ${own})
endfunction()

# orvik_add_library(<name> [SOURCES ...] [DEPS ...]): static library orvik_<name>, alias
# orvik::<name>; without sources, a header-only (interface) library.
function(orvik_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  set(target orvik_${name})
  if(ARG_SOURCES)
    add_library(${target} STATIC ${ARG_SOURCES})
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
    orvik_settings(${target})
    orvik_expose_folder(${target} PUBLIC)
  else()
    add_library(${target} INTERFACE)
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
    target_compile_features(${target} INTERFACE cxx_std_20)
    orvik_expose_folder(${target} INTERFACE)
  endif()
  add_library(orvik::${name} ALIAS ${target})
  orvik_record_deps(${target} ${ARG_DEPS})
endfunction()

# orvik_add_executable(<name> SOURCES ... [DEPS ...]): a program, its own folder on its
# include path. The programs, tests, benchmarks and fuzz targets are all made by it.
function(orvik_add_executable name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  orvik_settings(${name})
  orvik_expose_folder(${name} PRIVATE)
  orvik_record_deps(${name} ${ARG_DEPS})
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

# orvik_label_threaded(<test> [PROGRAMS <target>...]): labels the test "threaded" and puts it,
# with the programs it runs, in the target threaded_tests, so that a ThreadSanitizer build
# builds those alone and runs them with ctest -L threaded.
function(orvik_label_threaded test)
  cmake_parse_arguments(ARG "" "" "PROGRAMS" ${ARGN})
  set_property(TEST ${test} APPEND PROPERTY LABELS threaded)
  if(ORVIK_SANITIZE STREQUAL "thread")
    # The programs the test runs inherit these too. Any race fails the run at once.
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT
      "TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=${PROJECT_SOURCE_DIR}/tests/tsan_suppressions.txt")
  endif()
  if(TARGET ${test})
    add_dependencies(threaded_tests ${test})
  endif()
  if(ARG_PROGRAMS)
    add_dependencies(threaded_tests ${ARG_PROGRAMS})
  endif()
endfunction()

# orvik_write_layering(<file>): each target, its folder, its own dependencies and its
# sources, one target a line ("target<TAB>folder<TAB>deps<TAB>sources", the lists
# space-separated, the sources relative to the project), for the layering test. Called once,
# at the end.
function(orvik_write_layering file)
  get_property(targets GLOBAL PROPERTY ORVIK_LAYERING_TARGETS)
  set(lines "")
  foreach(target IN LISTS targets)
    get_property(folder GLOBAL PROPERTY ORVIK_FOLDER_OF_${target})
    get_property(deps GLOBAL PROPERTY ORVIK_DEPS_OF_${target})
    get_target_property(sources ${target} SOURCES)
    set(files "")
    foreach(source IN LISTS sources)
      if(NOT IS_ABSOLUTE ${source})
        set(source ${PROJECT_SOURCE_DIR}/${folder}/${source})
      endif()
      if(EXISTS ${source})
        file(RELATIVE_PATH source ${PROJECT_SOURCE_DIR} ${source})
        list(APPEND files ${source})
      endif()
    endforeach()
    list(JOIN deps " " deps)
    list(JOIN files " " files)
    string(APPEND lines "${target}\t${folder}\t${deps}\t${files}\n")
  endforeach()
  file(WRITE ${file} "${lines}")
endfunction()
