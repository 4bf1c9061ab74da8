#!/usr/bin/env bash
# Builds the benchmarks in release mode and runs them (all, or those named as arguments):
#   scripts/bench.sh
#   scripts/bench.sh bench_zolw
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_BENCHMARKS=ON >/dev/null
cmake --build build-release --parallel "$(nproc 2>/dev/null || echo 2)"
export QT_QPA_PLATFORM=offscreen
if [ $# -eq 0 ]; then
  set -- $(cd build-release/bench && ls bench_* | grep -v '_autogen$')
fi
for bench in "$@"; do
  echo "== $bench"
  "build-release/bench/$bench"
done
