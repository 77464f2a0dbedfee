# Cross toolchain for 64-bit Windows with MinGW-w64; tests run under Wine:
#   cmake -S . -B build/win64 -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(WUS_MINGW_TRIPLE x86_64-w64-mingw32)
set(WUS_WINE_LOADER /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
