#!/usr/bin/env bash
# Differential run: two wusreport programs over many `wustool sample`
# corpora (seeds, versions 0-2, files cut short at odd lengths, a missing
# path, a file that is not WUS, a path given twice) must write the same
# console text and byte-identical reports. The new program runs with 1, 2
# and 8 loading threads (WUS_JOBS).
#
# Usage: bench/differential.sh OLD_WUSREPORT NEW_WUSREPORT WUSTOOL [SEEDS]
set -euo pipefail
OLD=$(realpath "$1")
NEW=$(realpath "$2")
WUSTOOL=$(realpath "$3")
SEEDS=${4:-20}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# run PROGRAM JOBS DIR FILES...: prints the console text up to the report's
# name (which holds the time), then the report's bytes.
run() {
  local program=$1 jobs=$2 dir=$3
  shift 3
  rm -f "$dir"/*.txt
  (cd "$dir" && WUS_JOBS=$jobs "$program" "$@" >"$WORK/console")
  sed -n "/^Writing '/q;p" "$WORK/console"
  cat "$dir"/*.txt
}

runs=0
for ((seed = 1; seed <= SEEDS; ++seed)); do
  for version in 0 1 2; do
    dir=$WORK/s$seed-v$version
    "$WUSTOOL" sample --seed "$seed" --files 7 --players 6 --weapons 8 --hits 12 \
      --version "$version" "$dir" >/dev/null
    mapfile -t files < <(cd "$dir" && ls -- *.wus | sort)
    # Cut every third file at a length that depends on the seed.
    for ((i = 0; i < ${#files[@]}; i += 3)); do
      f=$dir/${files[i]}
      size=$(stat -c %s "$f")
      truncate -s $(((size * (seed * 7 + i * 13) / 97) % size)) "$f"
    done
    printf 'WUS?' >"$dir/not-wus.wus"
    args=("${files[@]:0:2}" missing.wus not-wus.wus "${files[@]:2}" "${files[1]}")
    expected=$(run "$OLD" 0 "$dir" "${args[@]}" | sha256sum)
    for jobs in 1 2 8; do
      got=$(run "$NEW" "$jobs" "$dir" "${args[@]}" | sha256sum)
      if [ "$got" != "$expected" ]; then
        echo "DIFFERENT: seed $seed version $version jobs $jobs" >&2
        exit 1
      fi
      runs=$((runs + 1))
    done
  done
done
echo "identical: $runs runs over $((SEEDS * 3)) corpora"
