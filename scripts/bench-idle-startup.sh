#!/usr/bin/env bash
# Idle CPU and start-up time of Kavrino under Xvfb.
#  - idle: Kavrino is left alone for 10 s with its 300 ms and 1 s timers running; the CPU time it
#    used in that span is read from /proc/<pid>/stat and given as a share of one core.
#  - start-up: from the start to the X server's map of the first window, for a bare Qt window
#    (the baseline) and for Kavrino, alternating, RUNS times each (scripts/measure-startup.sh).
# Usage: scripts/bench-idle-startup.sh [build-dir]   (a Release build gives the honest figures)
set -euo pipefail

build=${1:-build-release}
build=$(cd "$build" && pwd)
runs=${RUNS:-15}
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${DISPLAY:-}" ]; then
  exec "$here/with-xvfb.sh" "$0" "$build"
fi

kavrino="$build/kavrino/Kavrino"
bare="$build/bench/bare_qt_window"
for f in "$kavrino" "$bare" "$build/bench/startup_timer"; do
  [ -x "$f" ] || { echo "missing $f (build it first)" >&2; exit 1; }
done

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

"$kavrino" >/dev/null 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
sleep 2 # past start-up
before=$(cpu_ticks "$pid")
sleep 10
after=$(cpu_ticks "$pid")
kill "$pid"; wait "$pid" 2>/dev/null || true
trap - EXIT
hz=$(getconf CLK_TCK)
echo "idle: $((after - before)) ticks of 1/$hz s in 10 s = $(awk -v t=$((after - before)) -v hz="$hz" 'BEGIN { printf "%.2f", 100 * t / hz / 10 }')% of one core"

"$here/measure-startup.sh" -n "$runs" -b "$build" "$(printf %q "$bare")" "$(printf %q "$kavrino")"
