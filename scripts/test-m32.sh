#!/usr/bin/env bash
# Installs what a 32-bit x86 build needs, builds the core libraries and their
# test suites with SSE2 arithmetic in build-m32/ and runs them.
# GoogleTest is built from the sources of Debian's libgtest-dev.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/install-deps-m32.sh

jobs=$(nproc)
cmake -S . -B build-m32 -DORQ_CORE_ONLY=ON -DORQ_CORE_TESTS=ON \
  -DORQ_GTEST_SOURCE_DIR=/usr/src/googletest \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-m32.cmake >/dev/null
cmake --build build-m32 -j "$jobs"
file -L build-m32/lib/liborqcarta_rt.so | grep -q "ELF 32-bit"
ctest --test-dir build-m32 --output-on-failure -j "$jobs"
