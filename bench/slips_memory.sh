#!/usr/bin/env bash
# Peak memory (max RSS) of vantrel-grade --slips on 2,000 sheets over 200 sheets: the slips
# are drawn as the sheets come and their PDF streams to its file, so the ratio stays near 1
# (target <= 1.2). The sheets: 100 drawn by vantrel-sheet, saved as JPEG, and copies of them
# (copies, not links: each is a file of its own).
#
#   bash bench/slips_memory.sh [BUILD_DIR] [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
rounds=${2:-1}
sheet=$build/tools/sheet/vantrel-sheet
grade=$build/tools/grade/vantrel-grade
for tool in "$sheet" "$grade"; do
    [[ -x $tool ]] || { echo "build $tool first (cmake --build $build)" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "drawing 100 sheets and copying them up to 2,000 ..." >&2
"$sheet" batch --count 100 --seed 11 --format jpg --out "$work/100" >/dev/null
mkdir -p "$work/200" "$work/2000"
for i in $(seq 1 2000); do
    from="$work/100/img$(printf %03d $(((i - 1) % 100 + 1))).jpg"
    cp "$from" "$work/2000/sheet$(printf %04d "$i").jpg"
    ((i <= 200)) && cp "$from" "$work/200/sheet$(printf %04d "$i").jpg"
done

# Max RSS (KiB) and the slips' size (bytes) of one run over a folder of sheets.
slips_run() { # folder
    local sheets=("$work/$1"/*.jpg)
    /usr/bin/time -f "%M" -o "$work/time.txt" "$grade" --key "$work/100/key.txt" --quiet \
        --slips "$work/slips.pdf" "${sheets[@]}" >/dev/null 2>&1 || true
    echo "$(cat "$work/time.txt") $(stat -c %s "$work/slips.pdf")"
}

printf "%-6s %14s %14s %16s %14s\n" round "rss200 KiB" "rss2000 KiB" "slips2000 MB" rss2000/rss200
for round in $(seq 1 "$rounds"); do
    read -r rss200 _ <<<"$(slips_run 200)"
    read -r rss2000 bytes <<<"$(slips_run 2000)"
    printf "%-6s %14s %14s %16s %14s\n" "$round" "$rss200" "$rss2000" "$((bytes / 1000000))" \
        "$(awk -v a="$rss2000" -v b="$rss200" 'BEGIN { printf "%.3f", a / b }')"
done
echo "target: rss2000/rss200 <= 1.2"
