#!/usr/bin/env bash
# Times whole tarnwick-cli processes, start to exit, pinned to one core:
# analyze (text and JSON) on the IBM sample, and render of its chart page to
# PNG. Prints the median of each.
# usage: bench/cli_process.sh [BUILD_DIR] [RUNS]
set -euo pipefail
shopt -s inherit_errexit
cd "$(dirname "$0")/.."
build_dir=${1:-build-rel}
runs=${2:-101}
cli="$build_dir/src/cli/tarnwick-cli"
[ -x "$cli" ] || { echo "No program at $cli: build it first." >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Runs the command given `runs` times after one warm-up run and prints the
# median wall time in microseconds. The shell's own clock costs no process.
median_us() {
  local start end
  "$@" >/dev/null
  for _ in $(seq "$runs"); do
    start=${EPOCHREALTIME/./}
    "$@" >/dev/null
    end=${EPOCHREALTIME/./}
    echo $((end - start))
  done | median
}

# This shell on one core, and with it every program it starts.
taskset -pc 1 $$ >/dev/null
sample=(--quote-dir data/sample/IBM --symbol IBM)
analyze=$(median_us "$cli" analyze "${sample[@]}")
json=$(median_us "$cli" analyze --json "${sample[@]}")
echo "analyze:        median $analyze us over $runs runs"
echo "analyze --json: median $json us over $runs runs"
# A render takes a hundred times longer: a tenth of the runs.
runs=$(((runs + 9) / 10))
render=$(median_us "$cli" render "${sample[@]}" --out "$work/chart.png")
echo "render to PNG:  median $render us over $runs runs"
