# zelt_add_test(NAME name SOURCES ... LIBS ... [WINE_ONLY] [SAVER_DISPLAY] [TIMEOUT s])
# One GoogleTest program per call, registered with CTest as one test.
# In the Windows build it runs under Wine inside the "wine" fixture (private prefix, Xvfb, wineserver).
# SAVER_DISPLAY: the test runs screen savers, moves the cursor, reads the screen or changes what every program
# of the prefix sees; it gets a Wine environment and display of its own ("wine-saver"), where such tests run
# one at a time, away from the other tests' windows.
function(zelt_add_test)
  cmake_parse_arguments(T "WINE_ONLY;SAVER_DISPLAY" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(T_WINE_ONLY AND NOT WIN32)
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} gtest gtest_main)
  if(WIN32 AND T_SAVER_DISPLAY)
    add_test(NAME ${T_NAME} COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-run ${CMAKE_BINARY_DIR}/wine-saver
             $<TARGET_FILE:${T_NAME}>)
    set_tests_properties(${T_NAME} PROPERTIES FIXTURES_REQUIRED wine_saver RESOURCE_LOCK saver_display
                         WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  else()
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    if(WIN32)
      set_tests_properties(${T_NAME} PROPERTIES FIXTURES_REQUIRED wine)
    endif()
  endif()
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT})
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
