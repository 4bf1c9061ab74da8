#!/usr/bin/env bash
# Idle CPU and start-up time of Kavrino under Xvfb.
#  - idle: Kavrino is left alone for 10 s with its 300 ms and 1 s timers running; the CPU time it
#    used in that span is read from /proc/<pid>/stat and given as a share of one core.
#  - start-up: process start to the first painted main window, for the console and for a bare Qt
#    window built in bench/, alternating, RUNS times each; medians and their ratio.
# Usage: scripts/bench-idle-startup.sh [build-dir]   (a Release build gives the honest figures)
set -euo pipefail

build=${1:-build-release}
build=$(cd "$build" && pwd)
runs=${RUNS:-15}

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build"
fi

kavrino="$build/kavrino/Kavrino"
probe_kavrino="$build/bench/bench_startup_probe_kavrino"
probe_bare="$build/bench/bench_startup_probe_bare"
for f in "$kavrino" "$probe_kavrino" "$probe_bare"; do
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

python3 - "$probe_kavrino" "$probe_bare" "$runs" <<'PY'
import statistics, subprocess, sys, time
probes = {"kavrino": sys.argv[1], "bare": sys.argv[2]}
runs = int(sys.argv[3])
times = {name: [] for name in probes}

def once(path):
    start = time.time_ns()
    out = subprocess.run([path], capture_output=True, text=True, timeout=30).stdout
    for line in out.splitlines():
        if line.startswith("first-paint "):
            return (int(line.split()[1]) - start) / 1e6
    raise SystemExit(f"no paint marker from {path}")

for name in probes:  # warm the file cache
    once(probes[name])
for _ in range(runs):
    for name, path in probes.items():
        times[name].append(once(path))
med = {name: statistics.median(values) for name, values in times.items()}
for name, values in times.items():
    print(f"start-up {name}: median {med[name]:.1f} ms (min {min(values):.1f}, max {max(values):.1f}, {runs} runs)")
print(f"start-up ratio kavrino/bare: {med['kavrino'] / med['bare']:.2f}")
PY
