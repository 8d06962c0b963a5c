#!/usr/bin/env bash
# Peak memory of `orqcarta atlas split` on a synthetic 30,000 x 20,000 JPEG
# (600 megapixels; decoded whole it would take 2.4 GB), cut into 1024-pixel
# JPEG tiles. Needs a build with -DORQ_BUILD_BENCH=ON.
#
#   bench/realdata/split-memory.sh [BUILD] [WORKDIR] [WIDTH HEIGHT]
set -euo pipefail
build=${1:-build}
work=${2:-$(mktemp -d)}
width=${3:-30000}
height=${4:-20000}
mkdir -p "$work"
"$build/bin/make_big_jpeg" "$work/scan.jpg" "$width" "$height"
ls -l "$work/scan.jpg"
"$build/bin/orqcarta" calib plate-carree "$work/scan.jpg" --area 60,0,40,30 -o "$work/scan.xml"
/usr/bin/time -v "$build/bin/orqcarta" atlas split "$work/scan.jpg" "$work/scan.xml" --tile 1024 --format jpg \
  -o "$work/tiles" 2> "$work/time.txt"
grep -E "Maximum resident set size|Elapsed \(wall clock\)" "$work/time.txt"
echo "tiles: $(ls "$work/tiles"/*.jpg | wc -l), $(du -sh "$work/tiles" | cut -f1)"
rm -rf "$work/tiles" "$work/scan.jpg"
