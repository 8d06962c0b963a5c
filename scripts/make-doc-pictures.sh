#!/usr/bin/env bash
# Makes the pictures of docs/img with the orqcarta tool of this build.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build >/dev/null
cmake --build build -j 2 --target orqcarta
bin=./build/bin/orqcarta
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p docs/img

"$bin" demo -o docs/img/demo.png
"$bin" blankmap "$tmp/bm" --lat 40 50 --long 0 20 --width 600 --height 400 >/dev/null
"$bin" render "$tmp/bm.xml" --landmarks tests/cli_render/data/all-symbols.csv --size 640x440 --graticule both \
  -o docs/img/render-symbols.png
"$bin" render "$tmp/bm.xml" --landmarks tests/cli_render/data/all-symbols.csv --size 480x320 --mag 2.5 \
  --center 48,10 --graticule lines --grid-dist 1 -o docs/img/render-zoomed.png
ls -l docs/img
