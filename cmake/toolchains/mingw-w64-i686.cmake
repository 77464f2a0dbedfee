# Cross toolchain for 32-bit Windows with MinGW-w64. Its tests run under the
# 32-bit Wine loader where the host has one and can execute 32-bit code:
#   cmake -S . -B build/win32 -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-i686.cmake
# The programs are large-address-aware: on 64-bit Windows each may use 4 GB
# of address space instead of 2. The SSE2 floating-point flags come from
# CMakeLists.txt, as for every 32-bit x86 build.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(WUS_MINGW_TRIPLE i686-w64-mingw32)
set(WUS_WINE_LOADER /usr/lib/wine/wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -Wl,--large-address-aware")
