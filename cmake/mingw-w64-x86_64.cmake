# Cross-compiling the Windows program on Debian or Ubuntu with mingw-w64
# (g++-mingw-w64-x86-64-posix) and running what was built under wine64.
#
# The -posix compilers are used because only they give the standard library
# its threads and mutexes, which GoogleTest needs. The program is linked
# statically, libstdc++, libgcc and winpthread included, so the single .exe
# runs on a bare Windows.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Debian's wine64 package keeps its loader out of PATH; the wine package adds
# /usr/bin/wine in front of it.
find_program(KALVEX_WINE NAMES wine64 wine PATHS /usr/lib/wine /usr/lib64/wine
             DOC "wine loader that runs the cross-built programs")
if(KALVEX_WINE)
  # The tests compare what the program writes: wine's own diagnostics must
  # stay off standard error.
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/env WINEDEBUG=-all ${KALVEX_WINE})
endif()
find_program(KALVEX_WINESERVER NAMES wineserver wineserver64 PATHS /usr/lib/wine /usr/lib64/wine
             DOC "wine's server, kept running while the tests run")
