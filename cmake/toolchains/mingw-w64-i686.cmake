# Cross toolchain for 32-bit Windows with MinGW-w64. Its tests run under the
# 32-bit Wine loader where the host has one and can execute 32-bit code:
#   cmake -S . -B build/win32 -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-i686.cmake
set(CMAKE_SYSTEM_PROCESSOR x86)
set(WUS_MINGW_TRIPLE i686-w64-mingw32)
set(WUS_WINE_LOADER /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
