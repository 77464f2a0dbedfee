#!/usr/bin/env bash
# CI: builds the two libFuzzer targets (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a bounded time, 90 seconds
# unless WUS_FUZZ_SECONDS says otherwise, starting from the seed corpus, the
# examples and every earlier finding kept under tests/data/fuzz/. Any finding
# fails the run: a crash, a sanitizer report, a broken property, a hang or
# runaway memory. Its input is left under build/fuzz/findings/;
# tests/fuzz/README.md says what to do with it.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${WUS_FUZZ_SECONDS:-90}

if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends \
    cmake ninja-build clang libclang-rt-dev nlohmann-json3-dev libjs-chart.js >/dev/null
fi

build=build/fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWUS_FUZZ=ON -DWUS_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target wus_load_fuzzer wus_merge_fuzzer wus_fuzz_seeds

seeds=$build/seeds
rm -rf "$seeds"
"$build/tests/fuzz/wus_fuzz_seeds" "$seeds"
cp examples/*.wus "$seeds/load/"
for target in load merge; do
  if [ -d "tests/data/fuzz/$target" ]; then
    find "tests/data/fuzz/$target" -type f -exec cp {} "$seeds/$target/" \;
  fi
done

findings=$build/findings
mkdir -p "$findings"
status=0
for target in load merge; do
  fuzzer=$build/tests/fuzz/wus_${target}_fuzzer
  corpus=$build/corpus/$target
  log=$build/$target.log
  mkdir -p "$corpus"
  echo "== wus_${target}_fuzzer for ${seconds} s"
  if "$fuzzer" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
      -dict=tests/fuzz/wus.dict -print_final_stats=1 \
      -artifact_prefix="$findings/$target-" "$corpus" "$seeds/$target" 2>"$log"; then
    grep -E '^#[0-9]+[[:space:]]+DONE' "$log" || true
    grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$log" || true
  else
    tail -n 80 "$log"
    echo "FINDING in wus_${target}_fuzzer; the input is in $findings:"
    ls -l "$findings"
    status=1
  fi
done
exit "$status"
