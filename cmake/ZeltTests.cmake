# zelt_add_test(NAME name SOURCES ... LIBS ... [WINE_ONLY] [SAVER_DISPLAY] [TIMEOUT s])
# One GoogleTest program per call, registered with CTest as one test.
# In the Windows build it runs under Wine inside the "wine" fixture (private prefix, Xvfb, wineserver).
# SAVER_DISPLAY: the test runs screen savers, moves the cursor, reads the screen or changes what every program
# of the prefix sees; it gets a Wine environment and display of its own ("wine-saver"), where such tests run
# one at a time, away from the other tests' windows.

# zelt_wine_test_properties(TEST TIMEOUT): what every Windows test run under Wine has besides its fixture.
function(zelt_wine_test_properties test timeout)
  # Programs that run at once must not meet in the files they make under relative names.
  set(work ${CMAKE_CURRENT_BINARY_DIR}/work/${test})
  file(MAKE_DIRECTORY ${work})
  # A hung program writes its threads' stacks and ends (tests/support/TestMain.cpp) before ctest would kill
  # it and lose its output; scripts/wine-run stops it should it not.
  math(EXPR stacks_after "${timeout} - 20")
  set_tests_properties(${test} PROPERTIES WORKING_DIRECTORY ${work} TIMEOUT ${timeout})
  set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT ZELT_STACKS_AFTER=${stacks_after})
endfunction()

function(zelt_add_test)
  cmake_parse_arguments(T "WINE_ONLY;SAVER_DISPLAY" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(T_WINE_ONLY AND NOT WIN32)
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  if(WIN32)
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} test_main)
  else()
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} gtest gtest_main)
  endif()
  if(WIN32 AND T_SAVER_DISPLAY)
    add_test(NAME ${T_NAME} COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-run ${CMAKE_BINARY_DIR}/wine-saver
             $<TARGET_FILE:${T_NAME}>)
    set_tests_properties(${T_NAME} PROPERTIES FIXTURES_REQUIRED wine_saver RESOURCE_LOCK saver_display)
  else()
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    if(WIN32)
      set_tests_properties(${T_NAME} PROPERTIES FIXTURES_REQUIRED wine)
    endif()
  endif()
  if(WIN32)
    zelt_wine_test_properties(${T_NAME} ${T_TIMEOUT})
  else()
    set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT})
  endif()
endfunction()

if(WIN32)
  add_test(NAME wine_start COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-env start ${CMAKE_BINARY_DIR}/wine)
  add_test(NAME wine_stop COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-env stop ${CMAKE_BINARY_DIR}/wine)
  set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 120)
  set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)
  add_test(NAME wine_saver_start COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-env start ${CMAKE_BINARY_DIR}/wine-saver)
  add_test(NAME wine_saver_stop COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-env stop ${CMAKE_BINARY_DIR}/wine-saver)
  set_tests_properties(wine_saver_start PROPERTIES FIXTURES_SETUP wine_saver TIMEOUT 120)
  set_tests_properties(wine_saver_stop PROPERTIES FIXTURES_CLEANUP wine_saver TIMEOUT 60)
endif()
