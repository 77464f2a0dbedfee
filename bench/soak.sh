#!/usr/bin/env bash
# Soak test (not part of the test suite): generates thousands of random WUS
# files, a share of them damaged (cut, bytes flipped, a count blown up, a
# wrong magic or version), loads them all in one wusreport run and records
# its time and peak memory. Checks that the run ends with status 0, reports
# every file and writes the report.
#
#   bench/soak.sh [FILES] [SEED]        default 3000 files, seed 1
#
# SOAK_SANITIZE=1 runs a build with AddressSanitizer and UBSan instead.
# Corpora are cached in bench/corpora/, results go to bench/results/.
set -euo pipefail
cd "$(dirname "$0")/.."

files=${1:-3000}
seed=${2:-1}
damaged=${SOAK_DAMAGED_PERCENT:-20}

if [ "${SOAK_SANITIZE:-0}" = 1 ]; then
  build=build/soak-sanitize
  options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DWUS_SANITIZE=ON)
else
  build=build/soak
  options=(-DCMAKE_BUILD_TYPE=Release)
fi
cmake -S . -B "$build" -G Ninja "${options[@]}" -DWUS_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target wusreport wus_soak_gen >/dev/null

corpus=bench/corpora/soak-$files-$seed-$damaged
if [ ! -f "$corpus/kinds.txt" ]; then
  rm -rf "$corpus"
  mkdir -p "$corpus"
  "$build/bench/wus_soak_gen" --seed "$seed" --files "$files" --damaged "$damaged" \
    "$corpus" >"$corpus/kinds.txt.tmp"
  mv "$corpus/kinds.txt.tmp" "$corpus/kinds.txt"
fi
rm -f "$corpus"/*_??.??.????_??.??.??.txt  # reports of an interrupted run

results=bench/results/soak-$(date +%Y%m%d-%H%M%S)
mkdir -p "$results"
inputs=("$corpus"/*.wus)
bytes=$(cat "${inputs[@]}" | wc -c)

status=0
/usr/bin/time -v -o "$results/time.txt" "$build/wusreport" "${inputs[@]}" \
  >"$results/console.txt" 2>"$results/stderr.txt" || status=$?

processed=$(grep -c "Processing '" "$results/console.txt" || true)
cut=$(grep -c '^Unexpected end of file' "$results/console.txt" || true)
rejected=$(grep -cE '^(Not a proper WUS file|Strange file version)' "$results/console.txt" || true)
report=$(sed -n "s/^Writing '\(.*\)'$/\1/p" "$results/console.txt")
wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$results/time.txt")
rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$results/time.txt")

{
  echo "files            $files (seed $seed, $damaged% damaged: $(tr '\n' ' ' <"$corpus/kinds.txt"))"
  echo "input bytes      $bytes"
  echo "exit status      $status"
  echo "processed        $processed"
  echo "cut off          $cut"
  echo "rejected         $rejected"
  echo "report bytes     $( [ -n "$report" ] && [ -f "$report" ] && wc -c <"$report" || echo none)"
  echo "wall time        $wall"
  echo "peak memory (KB) $rss"
} | tee "$results/summary.txt"
[ -n "$report" ] && [ -f "$report" ] && mv "$report" "$results/"

if [ "$status" != 0 ] || [ "$processed" != "$files" ] || [ -s "$results/stderr.txt" ]; then
  echo "SOAK FAILED: see $results"
  exit 1
fi
