# Helpers shared by the folders' CMakeLists.

# qv_test(NAME sources... LIBS libs...): a GoogleTest program. Natively every test case becomes
# a CTest test; under Wine one process runs the whole program (a Wine start costs a second).
function(qv_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock qv_test_main)
  if(QV_WIN32)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS wine)
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
  endif()
endfunction()

# qv_shipped(TARGET DESCRIPTION): a binary that goes to users. Stripped, and carrying version
# information: the program's version, the maker's name, the description given, the file's name.
function(qv_shipped target description)
  get_target_property(name ${target} OUTPUT_NAME)
  get_target_property(suffix ${target} SUFFIX)
  get_target_property(type ${target} TYPE)
  set(QV_FILE_NAME "${name}${suffix}")
  set(QV_FILE_DESCRIPTION "${description}")
  set(QV_INTERNAL_NAME "${name}")
  if(type STREQUAL "SHARED_LIBRARY")
    set(QV_FILE_TYPE VFT_DLL)
  else()
    set(QV_FILE_TYPE VFT_APP)
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/version/${name}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  target_link_options(${target} PRIVATE -s)
endfunction()

# qv_fuzz(NAME SOURCE [SEEDS] LIBS...): a libFuzzer target of the fuzz build, or with SEEDS a
# plain program (the one that writes a target's seeds). Both go to the build's bin folder, where
# scripts/fuzz.sh runs them.
function(qv_fuzz name source)
  cmake_parse_arguments(ARG "SEEDS" "" "" ${ARGN})
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE ${ARG_UNPARSED_ARGUMENTS})
  if(NOT ARG_SEEDS)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
endfunction()
