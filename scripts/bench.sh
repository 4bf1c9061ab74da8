#!/usr/bin/env bash
# Builds the benchmarks in release mode and runs them (all, or those named as arguments):
#   scripts/bench.sh
#   scripts/bench.sh bench_zolw
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_BENCHMARKS=ON >/dev/null
if [ $# -eq 0 ]; then
  set -- $(cd bench && ls bench_*.cpp | sed 's/\.cpp$//')
fi
cmake --build build-release --parallel "$(nproc 2>/dev/null || echo 2)" --target "$@"
export QT_QPA_PLATFORM=offscreen
for bench in "$@"; do
  echo "== $bench"
  "build-release/bench/$bench"
done
