#!/usr/bin/env bash
# Installs the build tree into a scratch prefix, then builds and runs a client
# once through find_package(orqcarta) and once through pkg-config.
set -euo pipefail
build_dir=$1
source_dir=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cmake --install "$build_dir" --prefix "$scratch/prefix" >/dev/null
libdir=$(find "$scratch/prefix" -name 'liborqcarta_rt.so' -printf '%h\n' | head -n 1)

cmake -S "$source_dir/consumer" -B "$scratch/cmake" -DCMAKE_PREFIX_PATH="$scratch/prefix" \
  -DORQ_QT_EXAMPLE="$source_dir/../../docs/examples/qt_map_window.cpp" >/dev/null
cmake --build "$scratch/cmake" >/dev/null
out=$(LD_LIBRARY_PATH="$libdir" "$scratch/cmake/consumer")
[ "$out" = "298.257224" ] || { echo "find_package client printed '$out'"; exit 1; }
out=$(LD_LIBRARY_PATH="$libdir" "$scratch/cmake/map_client" "$scratch/map.png")
[ "$out" = "800x600 0.8" ] && [ -s "$scratch/map.png" ] || { echo "map client printed '$out'"; exit 1; }
# The GDAL library, when the build has it.
if [ -e "$libdir/liborqcarta_gdal.so" ]; then
  out=$(LD_LIBRARY_PATH="$libdir" "$scratch/cmake/gdal_client" "$scratch")
  [ "$out" = "9" ] && [ -s "$scratch/blank.vrt" ] || { echo "GDAL client printed '$out'"; exit 1; }
fi

# The Qt example (when the package has the host) starts and keeps running
# until it is stopped.
if [ -x "$scratch/cmake/qt_map_window" ]; then
  status=0
  LD_LIBRARY_PATH="$libdir" QT_QPA_PLATFORM=offscreen timeout 2 "$scratch/cmake/qt_map_window" || status=$?
  [ "$status" = 124 ] || { echo "the Qt example ended with status $status"; exit 1; }
  echo "the Qt example builds against the package and runs"
fi

export PKG_CONFIG_PATH="$libdir/pkgconfig"
sed -i "s|^prefix=.*|prefix=$scratch/prefix|" "$libdir/pkgconfig/orqcarta.pc"
g++ -std=c++20 "$source_dir/consumer/main.cpp" -o "$scratch/pc_consumer" $(pkg-config --cflags --libs orqcarta)
out=$(LD_LIBRARY_PATH="$libdir" "$scratch/pc_consumer")
[ "$out" = "298.257224" ] || { echo "pkg-config client printed '$out'"; exit 1; }
echo "installed package works through find_package and pkg-config"
