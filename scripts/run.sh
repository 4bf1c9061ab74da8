#!/usr/bin/env bash
# Installs what is missing, builds in release mode and starts one of the programs:
#   scripts/run.sh Kavrino
#   scripts/run.sh ztr_search
set -euo pipefail
cd "$(dirname "$0")/.."

program=${1:-}
case "$program" in
  Kavrino) path=build-release/kavrino/Kavrino ;;
  ztr_search) path=build-release/ztr_search/ztr_search ;;
  *) echo "usage: scripts/run.sh Kavrino|ztr_search" >&2; exit 2 ;;
esac

bash scripts/install-deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-release --parallel "$(nproc 2>/dev/null || echo 2)" --target "$program"
exec "$path" "${@:2}"
