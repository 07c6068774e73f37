#!/usr/bin/env bash
# Times the program from launch to its main window mapped on the X server, on
# the IBM sample, and reports its resident memory once started: the program's
# own process and the whole tree with the browser's helper processes. Times
# the same way a bare window holding a web view (bench/BareWebWindow.cpp), the
# least a program like this one does, and prints the ratio of the two.
# Runs itself under Xvfb when there is no display.
# usage: bench/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-test}
runs=${2:-7}
program="$build_dir/src/app/tarnwick"
bare="$build_dir/bench/bare_web_window"
for file in "$program" "$bare"; do
  [ -x "$file" ] || { echo "No program at $file: build it first." >&2; exit 1; }
done

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

# Starts the command given, waits until a window of it is mapped, and adds
# the milliseconds that took to "$work/$name-ms". Leaves the command's id in
# $pid and the event watcher's in $watcher.
time_to_window() {
  local name=$1
  shift
  local events="$work/events" start shown
  : >"$events"
  stdbuf -oL xev -root -event substructure >"$events" &
  watcher=$!
  sleep 0.3  # xev has selected the root window's events by then
  start=$(date +%s%N)
  "$@" >"$work/$name.log" 2>&1 &
  pid=$!
  until grep -q '^MapNotify' "$events"; do
    kill -0 "$pid" 2>/dev/null || { echo "$1 ended before its window showed:" >&2; cat "$work/$name.log" >&2; exit 1; }
    sleep 0.002
  done
  shown=$(date +%s%N)
  echo $(((shown - start) / 1000000)) >>"$work/$name-ms"
}

stop() {
  kill "$pid" "$watcher"
  wait "$pid" "$watcher" 2>/dev/null || true
}

# The two alternate, so that a load from elsewhere on the machine weighs on both.
for _ in $(seq "$runs"); do
  time_to_window program "$program" --quote-dir data/sample --symbol IBM
  # Let the start page load before the memory is read.
  sleep 3
  resident_kib "$pid" >>"$work/main-kib"
  # shellcheck disable=SC2046
  resident_kib "$pid" $(descendants "$pid") >>"$work/tree-kib"
  stop
  time_to_window bare "$bare"
  sleep 3
  stop
done

program_ms=$(median <"$work/program-ms")
bare_ms=$(median <"$work/bare-ms")
echo "start-up to main window shown: median $program_ms ms over $runs runs"
echo "a bare window with a web view: median $bare_ms ms;" \
  "the program takes $(awk -v p="$program_ms" -v b="$bare_ms" 'BEGIN { printf "%.2f", p / b }')x as long"
echo "resident memory after start-up: program $(($(median <"$work/main-kib") / 1024)) MiB," \
  "with the browser's processes $(($(median <"$work/tree-kib") / 1024)) MiB"
