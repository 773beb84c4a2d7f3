#!/usr/bin/env bash
# vantrel-grade's command line: exit codes, refused sheets, output order and CSV
# that do not depend on the number of threads.
set -uo pipefail
build=$1
sheet=$build/tools/vantrel-sheet
grade=$build/tools/vantrel-grade
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

"$sheet" batch --count 12 --seed 7 --format jpg --out "$work/s" >/dev/null || fail "sheet batch"

# Usage errors exit 2.
"$grade" >/dev/null 2>&1; [[ $? -eq 2 ]] || fail "no arguments should exit 2"
"$grade" --key "$work/s/key.txt" >/dev/null 2>&1; [[ $? -eq 2 ]] || fail "no sheets should exit 2"
"$grade" --key "$work/s/key.txt" --jobs 0 "$work/s/img001.jpg" >/dev/null 2>&1; [[ $? -eq 2 ]] || fail "--jobs 0 should exit 2"
"$grade" --key "$work/missing.txt" "$work/s/img001.jpg" >/dev/null 2>&1; [[ $? -eq 2 ]] || fail "missing key should exit 2"
"$grade" --help | grep -q -- '--key' || fail "--help should describe --key"

# Sheets that cannot be graded: corrupt, too small, no registration mark. They never stop the others.
mkdir -p "$work/bad ห้อง 1"
head -c 3000 "$work/s/img002.jpg" >"$work/bad ห้อง 1/truncated.jpg"
echo "not an image" >"$work/bad ห้อง 1/text.jpg"
"$sheet" fill -o "$work/bad ห้อง 1/small.png" --id 00000001 --answers a >/dev/null 2>&1 && \
    convert "$work/bad ห้อง 1/small.png" -crop 600x400+0+0 "$work/bad ห้อง 1/small.png" 2>/dev/null
"$sheet" fill -o "$work/bad ห้อง 1/nomark.png" --id 00000001 --answers a >/dev/null 2>&1 && \
    convert "$work/bad ห้อง 1/nomark.png" -fill white -draw "rectangle 670,395 780,505" "$work/bad ห้อง 1/nomark.png" 2>/dev/null

set -- "$work/s/img001.jpg" "$work/bad ห้อง 1/truncated.jpg" "$work/s/img002.jpg" "$work/bad ห้อง 1/text.jpg" \
    "$work/bad ห้อง 1/small.png" "$work/bad ห้อง 1/nomark.png" "$work"/s/img0{03..12}.jpg
"$grade" --key "$work/s/key.txt" --jobs 1 --csv "$work/one.csv" --results "$work/one.txt" "$@" >"$work/one.out" 2>"$work/one.err"
status=$?
[[ $status -eq 1 ]] || fail "refused sheets should exit 1, got $status"
"$grade" --key "$work/s/key.txt" --jobs 2 --csv "$work/two.csv" --results "$work/two.txt" "$@" >"$work/two.out" 2>"$work/two.err"
cmp -s "$work/one.out" "$work/two.out" || fail "standard output differs between --jobs 1 and 2"
cmp -s "$work/one.csv" "$work/two.csv" || fail "CSV differs between --jobs 1 and 2"
cmp -s "$work/one.txt" "$work/two.txt" || fail "results file differs between --jobs 1 and 2"
[[ $(grep -c ',refused$' "$work/one.csv") -eq 4 ]] || fail "expected 4 refused rows: $(cat "$work/one.csv")"
[[ $(tail -n +2 "$work/one.csv" | cut -d, -f1 | head -n 2 | tail -n 1) == *truncated.jpg ]] || fail "rows not in input order"
grep -q "ไม่พบเครื่องหมายอ้างอิง" "$work/one.err" || fail "no-mark refusal message missing on stderr"
grep -q "ภาพมีขนาดเล็กเกินไป" "$work/one.err" || fail "too-small refusal message missing on stderr"
[[ $(wc -l <"$work/one.txt") -eq 12 ]] || fail "results file should have one line per graded sheet"

exit $failed
