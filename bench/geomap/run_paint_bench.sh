#!/bin/sh
# Runs paint_bench (3 repetitions, medians) and prints a markdown table:
# ms per frame of our Paint and of QPainter, and their ratio.
# Usage: run_paint_bench.sh [path/to/paint_bench] [extra benchmark flags]
set -e
bin=${1:-$(dirname "$0")/../../build-bench/bin/paint_bench}
[ $# -gt 0 ] && shift
json=$(mktemp)
trap 'rm -f "$json"' EXIT
"$bin" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
  --benchmark_out="$json" --benchmark_out_format=json "$@" >&2
uptime >&2
python3 - "$json" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
rows = {}
for r in runs:
    if r.get("aggregate_name") != "median":
        continue
    side, case = r["label"].split(" ", 1)
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1, "s": 1e3}[r["time_unit"]]
    rows.setdefault(case, {})[side] = (r["real_time"] * scale, r["cpu_time"] * scale)
def ms(v):
    return "%.2f (cpu %.2f)" % v if v else "n/a"
print("| case | ours ms/frame | QPainter ms/frame | ours / QPainter |")
print("|---|---:|---:|---:|")
for case, v in rows.items():
    o, q = v.get("ours"), v.get("qpainter")
    ratio = "%.2f" % (o[0] / q[0]) if o and q else "n/a"
    print("| %s | %s | %s | %s |" % (case, ms(o), ms(q), ratio))
PY
