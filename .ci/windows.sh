#!/usr/bin/env bash
# CI for the Windows builds: installs the MinGW-w64 cross compilers and Wine,
# cross-builds the 64-bit and the 32-bit programs (Release, static runtime),
# packs each build as a zip, runs the whole CTest suite of the 64-bit build
# under Wine and checks that its report is byte for byte the Linux build's.
# The 32-bit programs must be large-address-aware. The 32-bit build is tried
# under Wine too; where this host cannot execute 32-bit code its tests are
# reported as skipped, with the reason, and only its programs are built (the
# same suite runs as 32-bit Linux code under qemu-i386 in .ci/linux32.sh).
# Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

jobs=$(nproc)
[ "$jobs" -gt 2 ] && jobs=2

if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null; then
  echo "== windows: installing the cross compilers and Wine"
  start=$SECONDS
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends cmake ninja-build g++ googletest nlohmann-json3-dev libjs-chart.js \
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 >/dev/null
  echo "installed in $((SECONDS - start)) s"
fi

# One Wine prefix for both builds: a 64-bit prefix runs 32-bit programs too
# where the 32-bit loader is installed.
export WINEPREFIX=$root/build/ci-wineprefix
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=/usr/lib/wine/wineserver32

# Configures and builds one architecture in build/ci-<name>; further
# arguments go to CMake.
cross_build() {
  local name=$1 toolchain=$2 start=$SECONDS
  shift 2
  echo "== windows: cross build $name"
  cmake -S . -B "build/ci-$name" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="cmake/toolchains/$toolchain.cmake" \
    -DWUS_WINEPREFIX="$WINEPREFIX" --no-warn-unused-cli "$@" >/dev/null
  cmake --build "build/ci-$name" -j "$jobs"
  echo "built $name in $((SECONDS - start)) s"
}

# Fails unless every program of build/ci-<name>, tests too, needs only DLLs
# that come with Windows: the C++ runtime, libgcc and winpthread must be
# linked in. Prints what each imports.
check_static() {
  local name=$1 triple=$2 exe dlls
  while IFS= read -r exe; do
    dlls=$("$triple-objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr '\n' ' ')
    if grep -qiE 'libstdc|libgcc|winpthread' <<<"$dlls"; then
      echo "$exe needs a MinGW runtime DLL: $dlls" >&2
      return 1
    fi
    echo "${exe#build/ci-}: $dlls"
  done < <(find "build/ci-$name" -name '*.exe' -not -path '*/CMakeFiles/*' | sort)
}

# Fails unless every program of build/ci-<name> may use more than 2 GB of
# address space on 64-bit Windows (linked with --large-address-aware).
check_large_address_aware() {
  local name=$1 triple=$2 exe
  while IFS= read -r exe; do
    # grep reads all of objdump's output: with -q it would stop early and
    # objdump's broken pipe would fail the pipeline.
    if ! "$triple-objdump" -p "$exe" | grep '^\s*large address aware$' >/dev/null; then
      echo "$exe is not large-address-aware" >&2
      return 1
    fi
  done < <(find "build/ci-$name" -name '*.exe' -not -path '*/CMakeFiles/*')
  echo "every $name program is large-address-aware"
}

# Prints why this host cannot execute 32-bit x86 code, or nothing if it can:
# a minimal 32-bit Linux program that only exits tells.
host_32_bit_blocker() {
  local probe output
  probe=$(mktemp)
  printf '\x7fELF\x01\x01\x01\0\0\0\0\0\0\0\0\0\x02\0\x03\0\x01\0\0\0\x54\x80\x04\x08\x34\0\0\0'\
'\0\0\0\0\0\0\0\0\x34\0\x20\0\x01\0\0\0\0\0\0\0\x01\0\0\0\0\0\0\0\0\x80\x04\x08\0\x80\x04\x08'\
'\x5d\0\0\0\x5d\0\0\0\x05\0\0\0\0\x10\0\0\xb8\x01\0\0\0\x31\xdb\xcd\x80' >"$probe"
  chmod +x "$probe"
  if ! output=$("$probe" 2>&1); then
    echo "this host cannot execute 32-bit x86 code (${output##*: })"
  elif [ ! -x /usr/lib/wine/wine ]; then
    echo "the 32-bit Wine loader (package wine32) is not installed"
  fi
  rm -f "$probe"
}

# Starts a persistent wine server and boots the prefix with its services
# detached from our output, so that CTest does not wait on them and each
# program starts in a fraction of a second.
start_wine() {
  local start=$SECONDS
  mkdir -p "$WINEPREFIX"
  "$wineserver" -p </dev/null >/dev/null 2>&1
  trap '"$wineserver" -k 2>/dev/null || true' EXIT
  /usr/lib/wine/wine64 wineboot --init </dev/null >/dev/null 2>&1
  echo "wine prefix ready in $((SECONDS - start)) s"
}

# Runs `wusreport` (a command and its leading arguments) on copies of the
# example files in the folder $1 and prints its console text with "\n" line
# ends and without the "Writing" line, whose path is the platform's own.
run_on_examples() {
  local folder=$1
  shift
  mkdir -p "$folder"
  cp examples/*.wus "$folder"
  (cd "$folder" && "$@" ./*.wus </dev/null) | tr -d '\r' | grep -av "^Writing '"
}

# Fails unless the 64-bit Windows build writes the same report bytes and the
# same console trace as the Linux build for the example files.
compare_with_linux() {
  local work start=$SECONDS
  echo "== windows: report of the win64 build against the Linux build's"
  if [ -d build/test ]; then
    cmake --build build/test --target wusreport >/dev/null
    linux=build/test/wusreport
  else
    cmake -S . -B build/ci-linux -G Ninja -DCMAKE_BUILD_TYPE=Release -DWUS_BUILD_TESTS=OFF >/dev/null
    cmake --build build/ci-linux -j "$jobs" --target wusreport >/dev/null
    linux=build/ci-linux/wusreport
  fi
  work=$(mktemp -d)
  run_on_examples "$work/linux" "$root/$linux" >"$work/linux.out"
  run_on_examples "$work/windows" /usr/lib/wine/wine64 "$root/build/ci-win64/wusreport.exe" \
    >"$work/windows.out"
  cmp "$work/linux.out" "$work/windows.out"
  cmp "$work"/linux/*.txt "$work"/windows/*.txt
  echo "same report ($(wc -c <"$work"/linux/*.txt) bytes) and console trace;" \
    "compared in $((SECONDS - start)) s"
  rm -rf "$work"
}

# Prints why the 32-bit build cannot run here, or nothing once its
# wusreport.exe ran under Wine and wrote a report.
try_32_bit() {
  local work output blocker
  work=$(mktemp -d)
  if output=$(cd "$work" && timeout 120 wine "$root/build/ci-win32/wusreport.exe" </dev/null 2>&1) &&
     compgen -G "$work/*.txt" >/dev/null; then
    rm -rf "$work"
    return
  fi
  rm -rf "$work"
  blocker=$(host_32_bit_blocker)
  echo "${blocker:-32-bit Wine could not run wusreport.exe}; Wine said: ${output%%$'\n'*}"
}

cross_build win64 mingw-w64-x86_64
blocker=$(host_32_bit_blocker)
if [ -z "$blocker" ]; then
  cross_build win32 mingw-w64-i686
else
  echo "(the 32-bit tests are not built: $blocker)"
  cross_build win32 mingw-w64-i686 -DWUS_BUILD_TESTS=OFF
fi
check_static win64 x86_64-w64-mingw32
check_static win32 i686-w64-mingw32
check_large_address_aware win32 i686-w64-mingw32
(cd build/ci-win64 && cpack -G ZIP >/dev/null && ls ./*.zip)
(cd build/ci-win32 && cpack -G ZIP >/dev/null && ls ./*.zip)

echo "== windows: CTest of the win64 build under Wine"
start=$SECONDS
start_wine
ctest --test-dir build/ci-win64 --output-on-failure -j "$jobs" --timeout 300
echo "win64 tests under Wine took $((SECONDS - start)) s"

compare_with_linux

echo "== windows: the win32 build under Wine"
reason=$(try_32_bit)
if [ -z "$reason" ]; then
  [ -z "$blocker" ] || cross_build win32 mingw-w64-i686 -DWUS_BUILD_TESTS=ON
  ctest --test-dir build/ci-win32 --output-on-failure -j "$jobs" --timeout 300
else
  echo "win32 tests skipped: $reason"
fi
