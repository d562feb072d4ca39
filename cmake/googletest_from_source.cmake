# GoogleTest for a cross build: Debian's googletest package ships the sources
# (/usr/src/googletest), which are compiled here with the cross compilers.
# Defines GTest::gtest and sets GTest_FOUND when the sources are there.
set(KALVEX_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH
    "GoogleTest sources built for cross-compiled tests")
if(NOT EXISTS ${KALVEX_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
  set(GTest_FOUND FALSE)
  return()
endif()

set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${KALVEX_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest
                 EXCLUDE_FROM_ALL SYSTEM)
# Our warning flags are for our code, not for a library we only build.
set_target_properties(gtest gtest_main PROPERTIES COMPILE_OPTIONS "")
if(NOT TARGET GTest::gtest)
  add_library(GTest::gtest ALIAS gtest)
endif()
set(GTest_FOUND TRUE)
