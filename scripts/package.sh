#!/usr/bin/env bash
# Installs what is missing, builds both programs in release mode and makes their Debian packages
# with CPack: build-package/kavrino_<version>_<arch>.deb and build-package/ztr-search_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
build=build-package
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DWARNINGS_AS_ERRORS=ON -DBUILD_TESTS=OFF -DBUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc 2>/dev/null || echo 2)"
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/*.deb
