#!/usr/bin/env bash
# Builds the core libraries for 32-bit x86 in build-m32/ and checks the result.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps-m32.sh
cmake -S . -B build-m32 -DORQ_CORE_ONLY=ON -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-m32.cmake >/dev/null
cmake --build build-m32 -j "$(nproc)"
file -L build-m32/lib/liborqcarta_rt.so | grep -q "ELF 32-bit" && echo "32-bit core libraries built in build-m32/lib"
