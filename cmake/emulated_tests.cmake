# Tests of a cross build run under CMAKE_CROSSCOMPILING_EMULATOR; for the
# Windows build that is wine, in a prefix of the build tree's own that one
# setup test prepares before the others.
set(kalvex_wine_prefix ${CMAKE_BINARY_DIR}/wine-prefix)

# Starting a program under wine costs far more than any one unit test, so
# the unit tests run as a whole binary, split into two halves that can run
# side by side, instead of one process per test.
function(kalvex_add_emulated_unit_tests target)
  if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    message(STATUS "No emulator for the cross-built tests: they are built but not run")
    return()
  endif()
  set(shards 2)
  math(EXPR last "${shards} - 1")
  foreach(shard RANGE ${last})
    add_test(NAME ${target}.part${shard} COMMAND ${target} --gtest_brief=1)
    set_tests_properties(${target}.part${shard} PROPERTIES
      ENVIRONMENT "GTEST_TOTAL_SHARDS=${shards};GTEST_SHARD_INDEX=${shard}" TIMEOUT 300)
  endforeach()
endfunction()

# The test that prepares the wine prefix; every test that runs a Windows
# program asks for it through kalvex_run_in_wine_prefix().
function(kalvex_add_wine_prefix_setup)
  if(NOT KALVEX_WINE OR NOT KALVEX_WINESERVER)
    return()
  endif()
  add_test(NAME wine.prepare_prefix
           COMMAND ${PROJECT_SOURCE_DIR}/cmake/prepare_wine_prefix.sh ${KALVEX_WINE}
                   ${KALVEX_WINESERVER})
  set_tests_properties(wine.prepare_prefix PROPERTIES
    FIXTURES_SETUP wine_prefix ENVIRONMENT "WINEPREFIX=${kalvex_wine_prefix}" TIMEOUT 300)
endfunction()

# Every test of the current directory, but the setup, runs in the prepared
# prefix.
function(kalvex_run_in_wine_prefix)
  if(NOT KALVEX_WINE OR NOT KALVEX_WINESERVER)
    return()
  endif()
  get_property(tests DIRECTORY PROPERTY TESTS)
  list(REMOVE_ITEM tests wine.prepare_prefix)
  foreach(test IN LISTS tests)
    set_property(TEST ${test} APPEND PROPERTY
                 ENVIRONMENT "WINEPREFIX=${kalvex_wine_prefix};WINEDEBUG=-all")
    set_property(TEST ${test} PROPERTY FIXTURES_REQUIRED wine_prefix)
  endforeach()
endfunction()
