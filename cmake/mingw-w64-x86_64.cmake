# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (packages
# g++-mingw-w64-x86-64 and binutils-mingw-w64-x86-64).
#
# The posix thread model: GoogleTest needs std::mutex, which the win32 model of
# GCC 12 lacks. Everything is linked statically, so the program and the tests
# need no DLL beyond Windows' own, and run as they are under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(RB_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${RB_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RB_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${RB_MINGW_PREFIX}-windres)
set(CMAKE_AR ${RB_MINGW_PREFIX}-gcc-ar-posix CACHE FILEPATH "Archiver")
set(CMAKE_RANLIB ${RB_MINGW_PREFIX}-gcc-ranlib-posix CACHE FILEPATH "Archive indexer")

# Libraries and headers only from the target's tree; programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${RB_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest runs the Windows programs under Wine.
find_program(RB_WINE NAMES wine)
if(RB_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${RB_WINE})
endif()
