# Shared part of the MinGW-w64 cross toolchains: the posix-thread compilers,
# a fully static runtime (libgcc, libstdc++ and winpthread linked in, so each
# .exe runs on a bare Windows) and Wine as the emulator for tests.
# Include it after setting WUS_MINGW_TRIPLE and WUS_WINE_LOADER.

set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${WUS_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${WUS_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${WUS_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${WUS_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs run under Wine with a private prefix in the build folder.
# WINEDLLOVERRIDES keeps the prefix creation from asking for Mono and Gecko
# and from adding desktop menu entries.
set(WUS_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH
    "Wine prefix used to run the cross-built tests")
if(EXISTS "${WUS_WINE_LOADER}")
  set(CMAKE_CROSSCOMPILING_EMULATOR
      /usr/bin/env WINEDEBUG=-all "WINEPREFIX=${WUS_WINEPREFIX}"
      "WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=" "${WUS_WINE_LOADER}")
endif()

# Header-only libraries come from the build host (see cmake/cross/).
set(nlohmann_json_DIR "${CMAKE_CURRENT_LIST_DIR}/../cross/nlohmann_json" CACHE PATH
    "nlohmann_json package for cross builds")
