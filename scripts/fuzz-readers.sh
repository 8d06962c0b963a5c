#!/bin/sh
# Builds the map file fuzz targets with clang (libFuzzer, ASan, UBSan; the
# library itself instrumented too) and runs each for SECONDS seconds.
#
#   scripts/fuzz-readers.sh [SECONDS] [TARGET...]
#
# Default: 60 seconds for each of map_calib_fuzz, map_landmarks_fuzz,
# map_symbols_fuzz, map_tags_fuzz and map_points_fuzz. The build goes to
# build-fuzz/, corpora to build-fuzz/corpus/<target>/ (seeded with the test
# data), crash inputs to build-fuzz/findings/. Exits non-zero when a target
# finds something. Installs clang and libclang-rt-14-dev when missing.
set -eu

SECONDS_EACH=${1:-60}
[ $# -gt 0 ] && shift
TARGETS=${*:-map_calib_fuzz map_landmarks_fuzz map_symbols_fuzz map_tags_fuzz map_points_fuzz}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$ROOT/build-fuzz
JOBS=${JOBS:-2}

# clang and its fuzzing runtime are only needed here, so they are installed
# here rather than by scripts/install-deps.sh.
if ! command -v clang++ >/dev/null || ! dpkg-query -W libclang-rt-14-dev >/dev/null 2>&1; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq clang libclang-rt-14-dev
fi

SAN="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g"
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORQ_BUILD_TESTS=ON -DORQ_BUILD_FUZZ=ON \
  "-DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link $SAN" "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link $SAN" \
  "-DCMAKE_EXE_LINKER_FLAGS=$SAN" "-DCMAKE_SHARED_LINKER_FLAGS=$SAN" >/dev/null
# shellcheck disable=SC2086
cmake --build "$BUILD" -j"$JOBS" --target $TARGETS

# Seeds: the map file samples of the test suites and a few points files.
seed() {
  dir=$BUILD/corpus/$1
  mkdir -p "$dir"
  for f in "$ROOT"/tests/*/data/*.xml "$ROOT"/tests/cli_map/data/*; do
    [ -f "$f" ] || continue
    # The first byte of an input picks a reader option; 0 keeps the default.
    { printf '\000'; cat "$f"; } >"$dir/seed_$(basename "$f")"
  done
}

status=0
mkdir -p "$BUILD/findings"
for t in $TARGETS; do
  seed "$t"
  echo "== $t: $SECONDS_EACH s"
  if ! "$BUILD/bin/$t" -max_total_time="$SECONDS_EACH" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$BUILD/findings/$t-" -print_final_stats=1 "$BUILD/corpus/$t" 2>"$BUILD/$t.log"; then
    echo "$t: FINDING, see $BUILD/$t.log and $BUILD/findings/" >&2
    status=1
  fi
  grep -E 'stat::number_of_executed_units|stat::peak_rss_mb|^==[0-9]+==ERROR|Done [0-9]+ runs' "$BUILD/$t.log" || true
done
exit $status
