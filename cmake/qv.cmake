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
