# Toolchain for 32-bit x86 Linux on a 64-bit Debian host with g++-multilib.
# The programs link statically, so they need no 32-bit libraries at run
# time, and every target program (tests, and the programs the tests start)
# runs under qemu-i386 from qemu-user, also where the host kernel cannot
# execute 32-bit code:
#   cmake -S . -B build/linux32 -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/linux-i686.cmake
# The SSE2 floating-point flags come from CMakeLists.txt, as for every
# 32-bit x86 build.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT "-m32 -march=i686")
set(CMAKE_CXX_FLAGS_INIT "-m32 -march=i686")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32 -static")

find_program(WUS_QEMU_I386 qemu-i386)
if(WUS_QEMU_I386)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${WUS_QEMU_I386}")
endif()
