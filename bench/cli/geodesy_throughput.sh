#!/usr/bin/env bash
# Lines a second of the orqcarta geodesy commands against GeoConvert,
# CartConvert and cs2cs on the same 1,000,000-line file, in one run.
#
#   bash bench/cli/geodesy_throughput.sh [path/to/orqcarta] [lines]
#
# Positions lie in UTM zone 32 (6..12E, -80..84), so that cs2cs, which
# needs a fixed zone, does the same work as the tools that pick the zone.
# Each command runs three times; the table shows the fastest run. Output
# goes to files and is counted, so that a failing tool shows as such.
set -euo pipefail

ORQCARTA=${1:-build/bin/orqcarta}
LINES=${2:-1000000}
RUNS=3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for tool in GeoConvert CartConvert cs2cs; do
  command -v "$tool" >/dev/null || { echo "missing $tool (geographiclib-tools, proj-bin)" >&2; exit 1; }
done
[ -x "$ORQCARTA" ] || { echo "no orqcarta at $ORQCARTA" >&2; exit 1; }

awk -v n="$LINES" 'BEGIN { srand(16); for (i = 0; i < n; i++)
  printf "%.9f %.9f\n", -80 + 164 * rand(), 6 + 6 * rand() }' >"$work/latlon"
awk '{ print $2, $1 }' "$work/latlon" >"$work/lonlat"
"$ORQCARTA" utm --standard-zone <"$work/latlon" >"$work/utm"
awk '{ print $2, $3 }' "$work/utm" >"$work/en"
GeoConvert -u -p -3 <"$work/latlon" >"$work/utm_geoconvert"

UTM32="+proj=utm +zone=32 +datum=WGS84"
LONGLAT="+proj=longlat +datum=WGS84"
ED50="+proj=longlat +ellps=intl +towgs84=-87,-98,-121"

# name | tool | input | command
cases=(
  "utm|orqcarta|latlon|$ORQCARTA utm"
  "utm|GeoConvert|latlon|GeoConvert -u -p -3"
  "utm|cs2cs|lonlat|cs2cs -f %.3f $LONGLAT +to $UTM32"
  "utm -i|orqcarta|utm|$ORQCARTA utm -i"
  "utm -i|GeoConvert|utm_geoconvert|GeoConvert -g -p 4"
  "utm -i|cs2cs|en|cs2cs -I -f %.9f $LONGLAT +to $UTM32"
  "cart|orqcarta|latlon|$ORQCARTA cart"
  "cart|CartConvert|latlon|CartConvert -p 3"
  "cart|cs2cs|lonlat|cs2cs -f %.3f $LONGLAT +to +proj=geocent +datum=WGS84"
  "helmert|orqcarta|latlon|$ORQCARTA helmert -f 59 -t 269"
  "helmert|cs2cs|lonlat|cs2cs -f %.9f $ED50 +to $LONGLAT"
)

seconds() {  # fastest of RUNS runs of "$1" on file $2; checks the line count
  local best="" t lines
  for ((r = 0; r < RUNS; r++)); do
    local start end
    start=$(date +%s.%N)
    $1 <"$work/$2" >"$work/out"
    end=$(date +%s.%N)
    t=$(echo "$end - $start" | bc -l)
    lines=$(wc -l <"$work/out")
    [ "$lines" -eq "$LINES" ] || { echo "$1: $lines lines out of $LINES" >&2; exit 1; }
    if [ -z "$best" ] || (( $(echo "$t < $best" | bc -l) )); then best=$t; fi
  done
  echo "$best"
}

printf "%d lines, fastest of %d runs, %s\n\n" "$LINES" "$RUNS" "$(nproc) cores"
printf "| command | tool | seconds | lines/s | orqcarta is faster by |\n|---|---|---:|---:|---:|\n"
declare -A ours
for c in "${cases[@]}"; do
  IFS='|' read -r name tool input command <<<"$c"
  t=$(seconds "$command" "$input")
  rate=$(echo "$LINES / $t" | bc -l)
  if [ "$tool" = orqcarta ]; then
    ours[$name]=$t
    ratio="-"
  else
    ratio=$(printf "%.1fx" "$(echo "$t / ${ours[$name]}" | bc -l)")
  fi
  printf "| %s | %s | %.2f | %'.0f | %s |\n" "$name" "$tool" "$t" "$rate" "$ratio"
done
