#!/bin/sh
# Runs every fuzz target for a bounded time: run.sh <build dir> [seconds].
# Fails on the first crash, leak, sanitizer report or slow input; the input
# that caused it is left in the build folder (crash-*, leak-*, timeout-*).
set -eu

build=${1:?usage: run.sh <build dir> [seconds]}
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)

for target in level_reader; do
  binary="$build/$target"
  [ -x "$binary" ] || { echo "run.sh: $binary is not built" >&2; exit 1; }
  # New inputs go to a scratch copy of the seeds, never into the repository.
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  cp -R "$here/corpus/." "$work/"
  echo "== $target for ${seconds}s"
  "$binary" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -max_len=8192 \
    -dict="$here/$target.dict" -artifact_prefix="$build/" -print_final_stats=1 "$work"
  rm -rf "$work"
  trap - EXIT
done
