#!/usr/bin/env bash
# Whole-process benchmarks of wusreport on generated corpora, measured next
# to `cat FILES > /dev/null` on the same files in the same run (page cache
# warm). Builds Release into build/bench, makes the corpora once with
# `wustool sample` (kept in bench/corpora/, remade when their options
# change), and prints medians of RUNS runs; console output goes to files in
# bench/results/, as a user redirecting it would.
#
# Usage: bench/run.sh [month] [crowd] [scaling] [micro] [html]   (default: the first three)
# Environment: RUNS (default 5).
set -euo pipefail
cd "$(dirname "$0")/.."

RUNS=${RUNS:-5}
SETS=("$@")
[ ${#SETS[@]} -gt 0 ] || SETS=(month crowd scaling)
BUILD=build/bench
CORPORA=bench/corpora
RESULTS=bench/results
mkdir -p "$CORPORA" "$RESULTS"

# What the benchmarks need beyond the build's own packages.
missing=()
[ -x /usr/bin/time ] || missing+=(time)
[ -f /usr/include/benchmark/benchmark.h ] || missing+=(libbenchmark-dev)
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  else
    echo "bench/run.sh: please install: ${missing[*]}" >&2
    exit 1
  fi
fi

cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DWUS_BUILD_TESTS=OFF \
  -DWUS_BENCHMARKS=ON >/dev/null
cmake --build "$BUILD" -j 2 >/dev/null
WUSREPORT=$BUILD/wusreport
WUSTOOL=$BUILD/tools/wustool
PHASES=$BUILD/bench/wus_phase_times

# corpus NAME SAMPLE-OPTIONS...: makes bench/corpora/NAME unless it was made
# with the same options.
corpus() {
  local name=$1
  shift
  local dir=$CORPORA/$name
  if [ "$(cat "$dir/.options" 2>/dev/null)" != "$*" ]; then
    echo "making corpus $name: $*"
    rm -rf "$dir"
    "$WUSTOOL" sample "$@" "$dir" >/dev/null
    echo "$*" >"$dir/.options"
  fi
}

# files_upto DIR N: the corpus files whose number (the last "_N" of the
# name) is at most N, one path a line.
files_upto() {
  find "$1" -maxdepth 1 -name '*.wus' |
    awk -F_ -v max="$2" '{ n = $NF; sub(/\.wus$/, "", n); if (n + 0 <= max) print }' | sort
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# timed OUT CMD...: runs CMD under /usr/bin/time and appends
# "wall cpu maxrss_kib" to OUT. The wall time is taken to the microsecond
# around it (time's own is in hundredths, a sixth of a quarter-month run);
# the CPU time comes in hundredths.
timed() {
  local out=$1
  shift
  local t start end
  t=$(mktemp)
  start=$(date +%s%N)
  /usr/bin/time -f "%U %S %M" -o "$t" "$@"
  end=$(date +%s%N)
  awk -v ns=$((end - start)) '{ printf "%.6f %.2f %s\n", ns / 1e9, $1 + $2, $3 }' "$t" >>"$out"
  rm -f "$t"
}

declare -A WALL CPU CATWALL CATCPU RSS HITS

# measure NAME DIR MAX LIMIT_MIB [NOTE]: RUNS alternating runs of cat and
# wusreport on the files of DIR numbered up to MAX; LIMIT_MIB is the peak
# memory the set may reach, NOTE follows the wall ratio (the set's target).
measure() {
  local name=$1 dir=$2 max=$3 limit=$4 note=${5:-}
  local files
  mapfile -t files < <(files_upto "$dir" "$max")
  local catLog=$RESULTS/$name.cat.times wusLog=$RESULTS/$name.wusreport.times
  local console=$RESULTS/$name.console.txt
  : >"$catLog"
  : >"$wusLog"
  cat "${files[@]}" >/dev/null # warm the page cache
  "$WUSREPORT" "${files[@]}" >/dev/null # and the program's first run
  rm -f "$dir"/*.txt
  for ((i = 0; i < RUNS; ++i)); do
    timed "$catLog" cat "${files[@]}" >/dev/null
    timed "$wusLog" "$WUSREPORT" "${files[@]}" >"$console"
    rm -f "$dir"/*.txt # the report lands next to the first file
  done
  CATWALL[$name]=$(cut -d' ' -f1 "$catLog" | median)
  CATCPU[$name]=$(cut -d' ' -f2 "$catLog" | median)
  WALL[$name]=$(cut -d' ' -f1 "$wusLog" | median)
  CPU[$name]=$(cut -d' ' -f2 "$wusLog" | median)
  RSS[$name]=$(cut -d' ' -f3 "$wusLog" | median)
  HITS[$name]=$(awk '/dwNumHits : / { s += $NF } END { print s + 0 }' "$console")
  local bytes
  bytes=$(cat "${files[@]}" | wc -c)
  awk -v n="$name" -v f="${#files[@]}" -v h="${HITS[$name]}" -v b="$bytes" \
    -v cw="${CATWALL[$name]}" -v cc="${CATCPU[$name]}" -v w="${WALL[$name]}" -v c="${CPU[$name]}" \
    -v r="${RSS[$name]}" -v note="$note" -v limit="$limit" 'BEGIN {
      printf "%-8s %5d files %9d hits %6.0f MB | cat %6.2fs (cpu %5.2f) | wusreport %6.2fs (cpu %5.2f) | wall ratio %5.2f%s | peak %5.0f MiB, limit %5.0f MiB, %5.1f B/hit\n",
        n, f, h, b / 1e6, cw, cc, w, c, (cw > 0 ? w / cw : 0), note, r / 1024, limit, r * 1024 / (h > 0 ? h : 1)
    }' | tee -a "$REPORT"
}

# paired_ratios NAME DIR SMALL LARGE: RUNS pairs of wusreport runs on the
# files of DIR numbered up to SMALL and then up to LARGE; sets PAIRED_WALL
# and PAIRED_CPU to the medians of the pairs' ratios, large over small.
paired_ratios() {
  local name=$1 dir=$2 small=$3 large=$4
  local smallFiles largeFiles
  mapfile -t smallFiles < <(files_upto "$dir" "$small")
  mapfile -t largeFiles < <(files_upto "$dir" "$large")
  local smallLog=$RESULTS/$name.paired-small.times largeLog=$RESULTS/$name.paired-large.times
  : >"$smallLog"
  : >"$largeLog"
  for ((i = 0; i < RUNS; ++i)); do
    timed "$smallLog" "$WUSREPORT" "${smallFiles[@]}" >/dev/null
    rm -f "$dir"/*.txt
    timed "$largeLog" "$WUSREPORT" "${largeFiles[@]}" >/dev/null
    rm -f "$dir"/*.txt
  done
  PAIRED_WALL=$(paste -d' ' "$smallLog" "$largeLog" | awk '{ print $4 / $1 }' | median)
  PAIRED_CPU=$(paste -d' ' "$smallLog" "$largeLog" | awk '{ print ($2 > 0 ? $5 / $2 : 0) }' | median)
}

# phases NAME DIR: RUNS runs of wus_phase_times; the report's time over the
# loading's time.
phases() {
  local name=$1 dir=$2
  local files
  mapfile -t files < <(files_upto "$dir" 999999999)
  local log=$RESULTS/$name.phases
  : >"$log"
  for ((i = 0; i < RUNS; ++i)); do
    "$PHASES" "${files[@]}" >"$RESULTS/$name.phases-console.txt" 2>>"$log"
  done
  local lw lc rw rc
  lw=$(awk '{ print $2 }' "$log" | median)
  lc=$(awk '{ print $4 }' "$log" | median)
  rw=$(awk '{ print $6 }' "$log" | median)
  rc=$(awk '{ print $8 }' "$log" | median)
  awk -v n="$name" -v lw="$lw" -v lc="$lc" -v rw="$rw" -v rc="$rc" 'BEGIN {
      printf "%-8s load %6.2fs (cpu %5.2f) | report %6.2fs (cpu %5.2f) | report/load wall %4.2f, cpu %4.2f (target < 2)\n",
        n, lw, lc, rw, rc, (lw > 0 ? rw / lw : 0), (lc > 0 ? rc / lc : 0)
    }' | tee -a "$REPORT"
}

# html_phases NAME DIR: RUNS runs of wus_phase_times --html on all files of
# DIR; the HTML page's time against the load and the report together, and
# the page's size; then headless Chromium opens the last page
# (tests/browser/render_time.mjs).
html_phases() {
  local name=$1 dir=$2
  local files
  mapfile -t files < <(files_upto "$dir" 999999999)
  local log=$RESULTS/$name.html-phases page=$RESULTS/$name.html
  : >"$log"
  for ((i = 0; i < RUNS; ++i)); do
    "$PHASES" --html "$page" "${files[@]}" >"$RESULTS/$name.phases-console.txt" 2>>"$log"
  done
  local lw lc rw rc hw hc
  lw=$(awk '{ print $2 }' "$log" | median)
  lc=$(awk '{ print $4 }' "$log" | median)
  rw=$(awk '{ print $6 }' "$log" | median)
  rc=$(awk '{ print $8 }' "$log" | median)
  hw=$(awk '{ print $12 }' "$log" | median)
  hc=$(awk '{ print $14 }' "$log" | median)
  awk -v n="$name" -v lw="$lw" -v lc="$lc" -v rw="$rw" -v rc="$rc" -v hw="$hw" -v hc="$hc" \
    -v b="$(stat -c %s "$page")" 'BEGIN {
      printf "%-8s load+report %6.2fs (cpu %5.2f) | html %5.2fs (cpu %5.2f) | html/(load+report) wall %4.2f, cpu %4.2f (target <= 0.20) | page %5.2f MB\n",
        n, lw + rw, lc + rc, hw, hc, hw / (lw + rw), hc / (lc + rc), b / 1e6
    }' | tee -a "$REPORT"
  if command -v node >/dev/null && [ -x /usr/bin/chromium ]; then
    [ -d tests/browser/node_modules ] || (cd tests/browser && npm ci --no-audit --no-fund --loglevel=error)
    node tests/browser/render_time.mjs "$page" "$RUNS" >"$RESULTS/$name.render.txt"
    echo "$name    chromium $(tail -1 "$RESULTS/$name.render.txt") (target: open and build < 2000 ms)" |
      tee -a "$REPORT"
  else
    echo "$name    chromium: not measured (needs node and /usr/bin/chromium)" | tee -a "$REPORT"
  fi
}

MONTH=(--seed 1 --files 2000 --players 16 --weapons 12 --hits 30)
CROWD=(--seed 2 --files 2000 --players 16 --weapons 12 --hits 30 --distinct-players 20000)

REPORT=$RESULTS/latest.txt
{
  echo "wusreport benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC'), $(git rev-parse --short HEAD 2>/dev/null || echo '?'), median of $RUNS"
  echo "load before: $(uptime | sed 's/.*load average: //')"
} | tee "$REPORT"

for set in "${SETS[@]}"; do
  case $set in
    month)
      corpus month "${MONTH[@]}"
      [ -n "${WALL[month]:-}" ] || measure month "$CORPORA/month" 2000 64 " (target <= 1.2)"
      ;;
    crowd)
      corpus crowd "${CROWD[@]}"
      measure crowd "$CORPORA/crowd" 2000 256 " (target <= 2)"
      phases crowd "$CORPORA/crowd"
      ;;
    scaling)
      corpus month "${MONTH[@]}"
      measure quarter "$CORPORA/month" 500 64
      measure half "$CORPORA/month" 1000 64
      [ -n "${WALL[month]:-}" ] || measure month "$CORPORA/month" 2000 64 " (target <= 1.2)"
      # The time ratio from pairs of runs, the quarter and then the whole
      # month, one pair after the other: this machine's speed drifts by a
      # fifth over minutes, which moves sets measured apart more than the
      # target's margin.
      paired_ratios quarter "$CORPORA/month" 500 2000
      awk -v w="$PAIRED_WALL" -v c="$PAIRED_CPU" -v qr="${RSS[quarter]}" -v mr="${RSS[month]}" \
        'BEGIN { printf "scaling  4x the data: wall x%.2f, cpu x%.2f (target <= 4.2; medians of paired runs); peak %+.0f %% (target <= +10 %%)\n", w, c, (mr / qr - 1) * 100 }' |
        tee -a "$REPORT"
      ;;
    html)
      corpus month "${MONTH[@]}"
      html_phases month "$CORPORA/month"
      corpus crowd "${CROWD[@]}"
      html_phases crowd "$CORPORA/crowd"
      ;;
    micro)
      "$BUILD/bench/wus_micro_bench" --benchmark_counters_tabular=true | tee "$RESULTS/micro.txt"
      ;;
    *)
      echo "bench/run.sh: unknown set '$set'" >&2
      exit 2
      ;;
  esac
done
echo "load after: $(uptime | sed 's/.*load average: //')" | tee -a "$REPORT"
