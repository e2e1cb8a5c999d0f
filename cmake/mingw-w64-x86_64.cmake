# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix thread model, which
# Qt's threads need). Tests run under Wine through the emulator entry.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TIRVEX_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TIRVEX_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TIRVEX_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TIRVEX_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TIRVEX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Debian's wine64 keeps its loader in Wine's library folder, off the PATH.
find_program(TIRVEX_WINE NAMES wine64 wine PATHS /usr/lib/wine /usr/lib/x86_64-linux-gnu/wine NO_CMAKE_FIND_ROOT_PATH)
if(TIRVEX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TIRVEX_WINE})
endif()
