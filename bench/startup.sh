#!/usr/bin/env bash
# Times the program from launch to its main window mapped on the X server, on
# the IBM sample, and reports its resident memory once started: the program's
# own process and the whole tree with the browser's helper processes.
# Runs itself under Xvfb when there is no display.
# usage: bench/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-test}
runs=${2:-7}
program="$build_dir/src/app/tarnwick"
[ -x "$program" ] || { echo "No program at $program: build it first." >&2; exit 1; }

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build_dir" "$runs"
fi
# The browser's sandbox cannot run as root.
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
# A throwaway home keeps the user's settings and recent files out of the runs.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$HOME"

resident_kib() {  # the VmRSS of each process given, summed
  local total=0 pid
  for pid in "$@"; do
    total=$((total + $(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status" 2>/dev/null || echo 0)))
  done
  echo "$total"
}

descendants() {
  local child
  for child in $(pgrep -P "$1"); do
    echo "$child"
    descendants "$child"
  done
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

for _ in $(seq "$runs"); do
  events="$work/events"
  : >"$events"
  stdbuf -oL xev -root -event substructure >"$events" &
  watcher=$!
  sleep 0.3  # xev has selected the root window's events by then
  start=$(date +%s%N)
  "$program" --quote-dir data/sample --symbol IBM >"$work/program.log" 2>&1 &
  pid=$!
  until grep -q '^MapNotify' "$events"; do
    kill -0 "$pid" 2>/dev/null || { echo "The program ended before its window showed:" >&2; cat "$work/program.log" >&2; exit 1; }
    sleep 0.002
  done
  shown=$(date +%s%N)
  echo $(((shown - start) / 1000000)) >>"$work/startup-ms"
  # Let the start page load before the memory is read.
  sleep 3
  resident_kib "$pid" >>"$work/main-kib"
  # shellcheck disable=SC2046
  resident_kib "$pid" $(descendants "$pid") >>"$work/tree-kib"
  kill "$pid" "$watcher"
  wait "$pid" "$watcher" 2>/dev/null || true
done

echo "start-up to main window shown: median $(median <"$work/startup-ms") ms over $runs runs"
echo "resident memory after start-up: program $(($(median <"$work/main-kib") / 1024)) MiB," \
  "with the browser's processes $(($(median <"$work/tree-kib") / 1024)) MiB"
