#!/usr/bin/env bash
# Installs the dependencies, builds the orqcarta tool and runs its demo,
# which writes demo.png (the capitals of Europe on a generated map) here.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build >/dev/null
cmake --build build -j "$(nproc)" --target orqcarta
./build/bin/orqcarta demo "$@"
