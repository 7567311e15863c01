#!/bin/sh
# Level loading of an older tree against this one, in one run: both builds
# of this level_bench.cpp (the older one against the older library, so that
# the cases it lacks are measured there too) run in turn, ROUNDS times each,
# and the median of every case is printed side by side.
#
#   bench/compare_levels.sh [OLD_TREE] [ROUNDS] [FILTER]
#
# OLD_TREE defaults to ../before (a worktree of the commit to compare with).
# This tree must be built already in build/ (RelWithDebInfo); the older
# library is built in OLD_TREE/build-compare.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
old=$(cd "${1:-$here/../before}" && pwd)
rounds=${2:-5}
filter=${3:-.}
new_bench=$here/build/bench/level_bench
[ -x "$new_bench" ] || { echo "build $new_bench first" >&2; exit 1; }

old_build=$old/build-compare
cmake -S "$old" -B "$old_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTIDEWATER_BENCH=OFF \
  -DTIDEWATER_HOST=OFF >/dev/null
cmake --build "$old_build" -j2 --target tidewater >/dev/null
old_bench=$old_build/level_bench-new-source
# The flags CMake gives the benchmark in a RelWithDebInfo build.
${CXX:-c++} -std=c++20 -O2 -g -DNDEBUG -I"$old/engine" $(pkg-config --cflags sdl2) \
  "$here/bench/level_bench.cpp" -o "$old_bench" \
  -L"$old_build/engine" -Wl,-rpath,"$old_build/engine" -ltidewater $(pkg-config --libs benchmark) -pthread

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
i=1
while [ "$i" -le "$rounds" ]; do
  for side in old new; do
    if [ "$side" = old ]; then bench=$old_bench; else bench=$new_bench; fi
    "$bench" --benchmark_filter="$filter" --benchmark_format=csv 2>/dev/null >"$out/$side.$i.csv"
  done
  i=$((i + 1))
done

python3 - "$out" "$rounds" <<'PY'
import csv, statistics, sys
folder, rounds = sys.argv[1], int(sys.argv[2])
times = {}
for side in ("old", "new"):
    for i in range(1, rounds + 1):
        with open(f"{folder}/{side}.{i}.csv") as f:
            for row in csv.DictReader(f):
                times.setdefault(row["name"], {}).setdefault(side, []).append(float(row["cpu_time"]))
print(f"median CPU ms over {rounds} alternating rounds")
print(f"{'case':32} {'old':>9} {'new':>9} {'old/new':>8}")
for name, sides in times.items():
    o = statistics.median(sides["old"]) if "old" in sides else float("nan")
    n = statistics.median(sides["new"]) if "new" in sides else float("nan")
    print(f"{name:32} {o:9.2f} {n:9.2f} {o / n:8.2f}")
PY
