#!/bin/sh
# Runs the fuzz targets built in <build> (listed in <build>/targets), sharing
# <seconds> between them, each from its committed corpus fuzz/corpus/NAME/:
#   run.sh <build> <seconds> [target...]           a bounded campaign (CI)
#   run.sh --merge <build> <seconds> [target...]   the same, then the inputs
#       with new coverage are merged into fuzz/corpus/NAME/, minimized
# A campaign writes its new inputs to a scratch copy of the corpus, never to
# the repository. It fails on the first crash, leak, sanitizer report or slow
# input, which is left in the build folder (crash-*, leak-*, timeout-*).
# Before fuzzing, a sample of each corpus (up to 40 inputs) runs two and
# three times over: the third pass must find nothing the second did not, or
# some state outlives an input. (The first pass may differ from the second
# while the engine's containers grow to their size.)
set -eu

merge=0
if [ "${1:-}" = --merge ]; then merge=1; shift; fi
build=${1:?usage: run.sh [--merge] <build dir> <seconds> [target...]}
seconds=${2:?usage: run.sh [--merge] <build dir> <seconds> [target...]}
shift 2
here=$(cd "$(dirname "$0")" && pwd)
[ -f "$build/targets" ] || { echo "run.sh: $build/targets is missing: build the fuzz targets first" >&2; exit 1; }
targets=${*:-$(cut -d' ' -f1 "$build/targets")}
count=$(echo "$targets" | wc -w)
share=$((seconds / count))
[ "$share" -gt 0 ] || share=1
# About 2 MB per committed corpus.
limit_kb=2048

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT INT TERM

# Some hit counts change with where memory lands (one feature in the
# recording target, from run to run of the same inputs), so the passes run
# without address randomization where the machine lets us turn it off.
fixed_addresses=""
if setarch "$(uname -m)" -R true 2>/dev/null; then fixed_addresses="setarch $(uname -m) -R"; fi

# The feature count (ft:) of one pass over a folder.
features() {
  $fixed_addresses "$1" -runs=0 -max_len="$2" "$3" 2>&1 | sed -n 's/.*INITED.* ft: \([0-9]*\).*/\1/p'
}

for target in $targets; do
  binary="$build/$target"
  max_len=$(awk -v t="$target" '$1 == t { print $2 }' "$build/targets")
  corpus="$here/corpus/$target"
  [ -x "$binary" ] && [ -n "$max_len" ] || { echo "run.sh: $target is not built in $build" >&2; exit 1; }
  mkdir -p "$corpus"
  log="$build/$target.log"

  twice="$scratch/twice" thrice="$scratch/thrice"
  mkdir -p "$twice" "$thrice"
  for file in $(ls "$corpus" | head -n 40); do
    for pass in 1 2; do cp "$corpus/$file" "$twice/$file.$pass"; cp "$corpus/$file" "$thrice/$file.$pass"; done
    cp "$corpus/$file" "$thrice/$file.3"
  done
  a=$(features "$binary" "$max_len" "$twice")
  b=$(features "$binary" "$max_len" "$thrice")
  rm -rf "$twice" "$thrice"
  if [ "$a" != "$b" ]; then
    echo "run.sh: $target: a third run of its corpus covers differently from the second ($a, then $b features): state outlives an input" >&2
    exit 1
  fi

  work="$scratch/$target"
  mkdir -p "$work"
  cp "$corpus"/. "$work"/ -R
  echo "== $target for ${share}s (log: $log)"
  "$binary" -max_total_time="$share" -timeout=5 -rss_limit_mb=2048 -max_len="$max_len" -report_slow_units=2 \
    -dict="$build/tidewater.dict" -artifact_prefix="$build/" -print_final_stats=1 "$work" >"$log" 2>&1 || {
    tail -n 60 "$log"
    exit 1
  }
  if grep -q "Slowest unit: [2-9]\|Slowest unit: [1-9][0-9]" "$log"; then
    grep "Slowest unit" "$log" | tail -n 1
    echo "run.sh: $target: an input took seconds to run" >&2
    exit 1
  fi
  start=$(grep -m1 "INITED" "$log" | sed 's/.*\(cov: [0-9]*\) \(ft: [0-9]*\) \(corp: [^ ]*\).*/\1 \2 \3/')
  end=$(grep -E "^#[0-9]+" "$log" | tail -n 1 | sed 's/^#\([0-9]*\).*\(cov: [0-9]*\) \(ft: [0-9]*\) \(corp: [^ ]*\).*/\2 \3 \4, #\1 execs/')
  echo "$target: start $start; end $end"

  if [ "$merge" = 1 ]; then
    # Inputs kept for a fixed fault (regression-*) stay whatever their coverage.
    merged="$scratch/$target.merged" old="$scratch/$target.old"
    mkdir -p "$merged" "$old"
    find "$corpus" -maxdepth 1 -type f ! -name 'regression-*' -exec cp {} "$old"/ \;
    # Edges only, not hit counts: the whole coverage in a fraction of the files.
    "$binary" -merge=1 -use_counters=0 -max_len="$max_len" -timeout=5 -rss_limit_mb=2048 "$merged" "$old" "$work" \
      >>"$log" 2>&1 || { tail -n 30 "$log"; exit 1; }
    find "$corpus" -maxdepth 1 -type f ! -name 'regression-*' -delete
    cp "$merged"/. "$corpus"/ -R
    size=$(($(cat "$corpus"/* | wc -c) / 1024))
    echo "$target: corpus now $(ls "$corpus" | wc -l) files, ${size} KB"
    [ "$size" -le "$limit_kb" ] || echo "run.sh: $target: the corpus passed ${limit_kb} KB; lower its max_len" >&2
    rm -rf "$merged" "$old"
  fi
  rm -rf "$work"
done
