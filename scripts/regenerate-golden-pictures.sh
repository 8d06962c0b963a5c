#!/usr/bin/env bash
# Rewrites the golden pictures of tests/cli_render/golden from this build.
# Only after a deliberate change of the drawing: look at every new picture
# before committing it.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build >/dev/null
cmake --build build -j 2 --target orqcarta cli_render_tests
echo "########################################################################"
echo "### REGENERATING the golden pictures in tests/cli_render/golden/     ###"
echo "### The pixel-for-pixel comparisons are replaced by this build.       ###"
echo "########################################################################"
ORQ_REGENERATE_GOLDENS=1 ./build/bin/cli_render_tests --gtest_filter='CliRender.*Golden*'
echo "### Regenerated. Check them by eye, then: git diff --stat tests/cli_render/golden"
