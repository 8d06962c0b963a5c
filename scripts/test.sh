#!/usr/bin/env bash
# Installs the dependencies, builds everything and runs all tests.
# Usage: scripts/test.sh [--sanitize]   (build dir: build/, or build-asan/)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

build=build
flags=()
if [ "${1:-}" = "--sanitize" ]; then
  build=build-asan
  flags+=(-DORQ_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
fi
jobs=$(nproc)
cmake -S . -B "$build" -DORQ_BUILD_TESTS=ON "${flags[@]}" >/dev/null
cmake --build "$build" -j "$jobs"
ctest --test-dir "$build" --output-on-failure -j "$jobs"
