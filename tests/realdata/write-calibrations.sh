#!/usr/bin/env bash
# Writes calibration files for the public-domain maps of marble-data into a
# folder (a build folder: they are not committed, and the images stay in the
# package): Blue Marble, city lights and Schagen's world map of 1689, and
# every tile of the SRTM shaded-relief pyramid, all plate carrée.
#
#   write-calibrations.sh ORQCARTA OUTDIR [MARBLE_DATA]
#
# Writes OUTDIR/world/{bluemarble,citylights,schagen1689}.xml and
# OUTDIR/srtm/srtm_L<level>_R<row>_C<column>.xml, each beside a symbolic
# link of the same name to its image: the atlas looks for a map's image in
# its calibration's folder, and the SRTM levels reuse their file names.
# Without marble-data it says so and writes nothing (exit 0), so that the
# tests can skip.
set -euo pipefail

orqcarta=${1:?usage: write-calibrations.sh ORQCARTA OUTDIR [MARBLE_DATA]}
out=${2:?usage: write-calibrations.sh ORQCARTA OUTDIR [MARBLE_DATA]}
data=${3:-/usr/share/marble/data}
maps=$data/maps/earth

if [[ ! -f $maps/bluemarble/bluemarble.jpg ]]; then
  echo "write-calibrations.sh: marble-data is not installed ($maps missing); nothing written"
  exit 0
fi

mkdir -p "$out/world" "$out/srtm"
for name in bluemarble citylights schagen1689; do
  ln -sfn "$maps/$name/$name.jpg" "$out/world/$name.jpg"
  "$orqcarta" calib plate-carree "$out/world/$name.jpg" --caption "$name" -o "$out/world/$name.xml" >/dev/null
done

# Level N: 2^N rows x 2^(N+1) columns of tiles, row 0 at the north pole,
# column 0 at 180 degrees west; each tile spans 180 / 2^N degrees both ways.
tiles=0
for level_dir in "$maps"/srtm/[0-9]*/; do
  level=$(basename "$level_dir")
  span=$(awk -v n="$level" 'BEGIN { printf "%.12g", 180 / 2 ^ n }')
  for image in "$level_dir"*/*.jpg; do
    file=$(basename "$image" .jpg)
    row=$((10#${file%_*}))
    column=$((10#${file#*_}))
    area=$(awk -v r="$row" -v c="$column" -v s="$span" \
      'BEGIN { printf "%.12g,%.12g,%.12g,%.12g", 90 - r * s, -180 + c * s, 90 - (r + 1) * s, -180 + (c + 1) * s }')
    tile=$out/srtm/srtm_L${level}_R${row}_C${column}
    ln -sfn "$image" "$tile.jpg"
    "$orqcarta" calib plate-carree "$tile.jpg" --area "$area" --caption "srtm level $level row $row column $column" \
      -o "$tile.xml" >/dev/null
    tiles=$((tiles + 1))
  done
done
echo "write-calibrations.sh: 3 world maps and $tiles SRTM tiles calibrated in $out"
