#!/usr/bin/env bash
# Copier scans against their decode, as ratios taken in one run:
#   - a 100-dpi JPEG sheet loaded as a page over loaded as before (should be 1);
#   - a 300-dpi page's normalisation over its own decode (at most 1).
# The sheets: 8 drawn by vantrel-sheet at 100 dpi and 8 at 300 dpi, JPEG quality 85.
#
#   bash bench/copier.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
sheet=$build/tools/sheet/vantrel-sheet
bench=$build/bench/bench_copier_pages
for tool in "$sheet" "$bench"; do
    [[ -x $tool ]] || { echo "build $tool first (cmake --build $build)" >&2; exit 2; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "drawing 8 sheets at 100 dpi and 8 at 300 dpi ..." >&2
QT_QPA_PLATFORM=offscreen "$sheet" batch --count 8 --format jpg --out "$work/100" >/dev/null
QT_QPA_PLATFORM=offscreen "$sheet" batch --count 8 --format jpg --dpi 300 --out "$work/300" >/dev/null
"$bench" --sheets="$work/100" --copier="$work/300" --benchmark_repetitions=3 \
    --benchmark_report_aggregates_only=true --benchmark_format=json >"$work/result.json"
python3 - "$work/result.json" <<'PY'
import json, sys
runs = {b["run_name"].split("/")[0]: b["real_time"] for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median"}
def show(name, over, under):
    print(f"{name}: {runs[over] / runs[under]:.2f}  ({runs[over]:.0f} us / {runs[under]:.0f} us)")
show("100-dpi JPEG as a page / as before", "BM_Sheet100LoadSheetPage", "BM_Sheet100LoadFromFile")
show("300-dpi normalisation / its decode", "BM_Page300Normalise", "BM_Page300Decode")
PY
