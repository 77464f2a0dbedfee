#!/usr/bin/env bash
# CI for 32-bit x86: builds the programs and the whole test suite as static
# 32-bit Linux programs (g++-multilib, GoogleTest compiled for -m32 from the
# googletest package's sources, SSE2 floating point) and runs the suite under
# qemu-i386, which also starts the programs the tests run. Then checks that
# the 32-bit wusreport writes the same report bytes and console text as the
# 64-bit build for the example files. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
start=$SECONDS

if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null; then
  echo "== linux32: installing the multilib compiler and qemu-user"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends cmake ninja-build g++ g++-multilib \
    qemu-user googletest nlohmann-json3-dev libjs-chart.js >/dev/null
fi

jobs=$(nproc)
build=build/ci-linux32

echo "== linux32: build"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/linux-i686.cmake -DWUS_SPREADSHEET_TEST=OFF >/dev/null
cmake --build "$build" -j "$jobs"
# A 64-bit program here would pass every test and prove nothing.
for program in "$build/wusreport" "$build/tools/wustool" "$build/tests/wus_unit_tests"; do
  readelf -h "$program" | grep 'Class:\s*ELF32' >/dev/null || {
    echo "$program is not a 32-bit program" >&2
    exit 1
  }
done
echo "built in $((SECONDS - start)) s"

echo "== linux32: CTest under qemu-i386"
tests_start=$SECONDS
ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 300
echo "tests took $((SECONDS - tests_start)) s"

echo "== linux32: report of the 32-bit build against the 64-bit build's"
if [ ! -x build/test/wusreport ]; then
  cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build build/test --target wusreport >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Runs a wusreport (a command and its leading arguments) on copies of the
# example files in the folder $1 and prints its console text without the
# "Writing" line, whose path names that folder.
run_on_examples() {
  local folder=$1
  shift
  mkdir -p "$folder"
  cp examples/*.wus "$folder"
  (cd "$folder" && "$@" ./*.wus </dev/null) | grep -av "^Writing '"
}
run_on_examples "$work/64" "$root/build/test/wusreport" >"$work/64.out"
run_on_examples "$work/32" qemu-i386 "$root/$build/wusreport" >"$work/32.out"
cmp "$work/64.out" "$work/32.out"
cmp "$work"/64/*.txt "$work"/32/*.txt
echo "same report ($(wc -c <"$work"/64/*.txt) bytes) and console trace"

echo "== linux32: finished in $((SECONDS - start)) s"
