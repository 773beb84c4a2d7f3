#!/usr/bin/env bash
# Copier scans against their decode, as ratios taken in one run:
#   - a 100-dpi JPEG sheet loaded as a page over loaded as before (should be 1);
#   - a 300-dpi page's normalisation over its own decode (at most 1);
#   - a copier's 12-page 300-dpi PDF graded by vantrel-grade --jobs 2, in pages per
#     second of wall clock, over the bare full-size decode of the PDF's own JPEGs on
#     two threads (target at least 1), and the same for the same pages rendered as
#     before (a no-op operator after each picture keeps them from being read from it).
# The sheets: 8 drawn by vantrel-sheet at 100 dpi and 12 at 300 dpi, JPEG quality 85.
#
#   bash bench/copier.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
sheet=$build/tools/sheet/vantrel-sheet
grade=$build/tools/grade/vantrel-grade
bench=$build/bench/bench_copier_pages
decode=$build/bench/bench_batch_decode
for tool in "$sheet" "$grade" "$bench" "$decode"; do
    [[ -x $tool ]] || { echo "build $tool first (cmake --build $build)" >&2; exit 2; }
done
for tool in img2pdf pdfimages; do
    command -v $tool >/dev/null || { echo "needs $tool" >&2; exit 2; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "drawing 8 sheets at 100 dpi and 12 at 300 dpi ..." >&2
QT_QPA_PLATFORM=offscreen "$sheet" batch --count 8 --format jpg --out "$work/100" >/dev/null
QT_QPA_PLATFORM=offscreen "$sheet" batch --count 12 --format jpg --dpi 300 --out "$work/300" >/dev/null
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

echo "grading the 300-dpi sheets as one PDF, against decoding its JPEGs ..." >&2
img2pdf "$work"/300/img*.jpg -o "$work/class.pdf"
mkdir "$work/own"
pdfimages -all "$work/class.pdf" "$work/own/page"
/usr/bin/python3 -c 'import pikepdf, sys
pdf = pikepdf.open(sys.argv[1])
for page in pdf.pages: page.contents_add(b" 1 w", prepend=False)
pdf.save(sys.argv[2])' "$work/class.pdf" "$work/rendered.pdf"
pages_per_second() { # pdf
    local start end
    start=$(date +%s.%N)
    "$grade" --key "$work/300/key.txt" --jobs 2 --quiet --csv "$work/$(basename "$1").csv" "$1" >/dev/null 2>&1 || true
    end=$(date +%s.%N)
    awk -v s="$start" -v e="$end" 'BEGIN { printf "%.2f", 12 / (e - s) }'
}
printf "%-6s %12s %12s %12s %14s %16s\n" round decode2/s pdf/s rendered/s pdf/decode2 rendered/decode2
for round in 1 2 3; do
    "$decode" --sheets="$work/own" --benchmark_filter='threads:2' --benchmark_format=json \
        --benchmark_min_time=1 >"$work/decode.json" 2>/dev/null
    decoded=$(python3 -c 'import json, sys
print("%.2f" % json.load(open(sys.argv[1]))["benchmarks"][0]["items_per_second"])' "$work/decode.json")
    read_pages=$(pages_per_second "$work/class.pdf")
    rendered_pages=$(pages_per_second "$work/rendered.pdf")
    awk -v r="$round" -v d="$decoded" -v p="$read_pages" -v q="$rendered_pages" \
        'BEGIN { printf "%-6s %12.2f %12.2f %12.2f %14.2f %16.2f\n", r, d, p, q, p / d, q / d }'
done
cmp -s <(cut -d, -f2- "$work/class.pdf.csv") <(cut -d, -f2- "$work/rendered.pdf.csv") ||
    echo "the readings of the PDF read from its pictures differ from those of its rendering" >&2
