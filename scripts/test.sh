#!/usr/bin/env bash
# Installs what is missing, builds everything with GCC and warnings as errors and runs the whole
# suite headless; then builds it again with Clang under AddressSanitizer and
# UndefinedBehaviorSanitizer, with the libFuzzer targets, and runs it all again. Fails when either
# run fails.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
export QT_QPA_PLATFORM=offscreen

run_suite() {
  local dir=$1
  shift
  echo "== Building in $dir ($*)"
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DWARNINGS_AS_ERRORS=ON -DBUILD_BENCHMARKS=OFF "$@" >/dev/null
  cmake --build "$dir" --parallel "$jobs"
  echo "== Running the tests in $dir"
  (cd "$dir" && ctest --output-on-failure --parallel "$jobs")
}

status=0
run_suite build || status=1
ASAN_OPTIONS="detect_leaks=1" LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp" \
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" CC=clang CXX=clang++ \
  run_suite build-clang-sanitize -DSANITIZE=ON -DFUZZ=ON || status=1

if [ "$status" -ne 0 ]; then
  echo "FAILED: see the output above"
fi
exit "$status"
