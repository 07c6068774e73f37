#!/usr/bin/env bash
# Times `tarnwick-cli screen --threads 1` against the peer yardstick
# (../shared/peer, a plain reader plus TA-Lib) as whole processes pinned to
# one core, alternating, over the same generated library of folders with
# table.csv, warm in the page cache. Prints each run and the medians.
# usage: bench/screen-vs-peer.sh [BUILD_DIR] [RUNS] [SYMBOLS]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
runs=${2:-9}
symbols=${3:-1000}
cli="$build_dir/src/cli/tarnwick-cli"
writer="$build_dir/bench/write_screen_library"
for program in "$cli" "$writer"; do
  [ -x "$program" ] || { echo "No program at $program: build it first." >&2; exit 1; }
done
peer=$(../shared/peer/build.sh)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$writer" "$work/library" "$symbols"

seconds() {  # the wall time of one run of the command, in seconds
  local start end
  start=$(date +%s%N)
  taskset -c 1 "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  echo "scale=4; ($end - $start) / 1000000000" | bc
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# One run of each first, so both read a library already in the page cache.
seconds "$peer" "$work/library" >/dev/null
seconds "$cli" screen --quote-dir "$work/library" --threads 1 --csv >/dev/null 2>&1
for _ in $(seq "$runs"); do
  echo "peer $(seconds "$peer" "$work/library")" >>"$work/times"
  echo "tarnwick $(seconds "$cli" screen --quote-dir "$work/library" --threads 1 --csv)" >>"$work/times"
done
cat "$work/times"
echo "median over $runs runs, $symbols symbols, one core:" \
     "peer $(awk '$1 == "peer" { print $2 }' "$work/times" | median) s," \
     "tarnwick-cli screen $(awk '$1 == "tarnwick" { print $2 }' "$work/times" | median) s"
