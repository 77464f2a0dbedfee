#!/usr/bin/env bash
# CI: opens a report in a real spreadsheet. Installs LibreOffice Calc without
# a GUI, builds wusreport and the test's input writer, and runs the tests
# labelled "spreadsheet" (the report imported with Calc's text filter, every
# cell checked). Fails if the test fails or is not there. Expects the build
# tools that .ci/run installs.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null; then
  missing=()
  command -v soffice >/dev/null || missing+=(libreoffice-calc-nogui)
  command -v python3 >/dev/null || missing+=(python3)
  if [ ${#missing[@]} -gt 0 ]; then
    start=$SECONDS
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    echo "== installed ${missing[*]} in $((SECONDS - start)) s"
  fi
fi

if ! command -v soffice >/dev/null; then
  echo "spreadsheet.sh: soffice not found (install libreoffice-calc-nogui)" >&2
  exit 1
fi
echo "== spreadsheet import test (LibreOffice $(soffice --version | awk '{print $2}'))"
# The folder and build type of ./run-tests, so that CI compiles only once.
build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWUS_SPREADSHEET_TEST=ON \
  >/dev/null
cmake --build "$build" -j "$(nproc)" --target wusreport wus_spreadsheet_inputs
start=$SECONDS
ctest --test-dir "$build" -L spreadsheet --no-tests=error --output-on-failure -V
echo "== spreadsheet import test took $((SECONDS - start)) s"
