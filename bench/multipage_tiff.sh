#!/usr/bin/env bash
# bench/multipage_tiff.sh BUILD [PAGES...]: grades one multi-page TIFF of each size (default
# 1000 and 2500 pages, grey, LZW, drawn sheets repeated) and prints the seconds taken and
# the seconds per page; time per page that grows with the pages means the chain is walked
# again for every page. VANTREL_GRADE can name another vantrel-grade to compare.
set -euo pipefail
build=$(cd "$1" && pwd)
shift
sizes=("${@:-1000}")
[[ $# -gt 0 ]] || sizes=(1000 2500)
grade=${VANTREL_GRADE:-$build/tools/grade/vantrel-grade}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/tools/sheet/vantrel-sheet" batch --count 10 --seed 1 --format tif --out "$work/s" >/dev/null
convert "$work"/s/img*.tif -colorspace Gray -compress lzw "$work/ten.tif"
for pages in "${sizes[@]}"; do
    copies=()
    for ((i = 0; i < pages / 10; ++i)); do copies+=("$work/ten.tif"); done
    tiffcp "${copies[@]}" "$work/class.tif"
    start=$(date +%s.%N)
    "$grade" --key "$work/s/key.txt" --quiet --csv "$work/class.csv" "$work/class.tif" >/dev/null 2>&1 || true
    end=$(date +%s.%N)
    awk -v p="$pages" -v s="$start" -v e="$end" -v n="$(($(wc -l <"$work/class.csv") - 1))" \
        'BEGIN { printf "%5d pages (%d rows): %6.1f s, %.2f ms a page\n", p, n, e - s, 1000 * (e - s) / p }'
done
