#!/usr/bin/env bash
# A key marked on an answer sheet and scanned with the class grades it as the key file
# does, and is no student's sheet; a key sheet that cannot be read for certain is refused
# with the rows named, nothing graded.
set -uo pipefail
sheet=$VANTREL_SHEET
grade=$VANTREL_GRADE
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

s=$work/s
"$sheet" batch --count 12 --seed 808 --out "$s" >/dev/null || fail "sheet batch"
convert -size 827x1169 xc:black "$work/black.png"
# name | questions left blank on the sheet | a question marked twice | a question ticked, not
# filled (the official reading sees no mark) | fill options | what a refusal says
while IFS='|' read -r name blanks double ticked options refusal; do
    awk -v blanks=",$blanks," -v double="$double" '{ a = index(blanks, "," NR ",") ? "" : $1
        if (NR == double) a = a (a == "e" ? "a" : "e"); print a }' "$s/key.txt" >"$work/$name-key.txt"
    answers=$(paste -sd, "$work/$name-key.txt")
    marks=$(seq 100 | awk -v ticked="$ticked" '{ printf "%s%s", (NR > 1 ? "," : ""), (NR == ticked ? "tick" : "neat") }')
    "$sheet" fill -o "$s/$name-key.jpg" --id 00000000 --answers "$answers" --marks "$marks" $options >/dev/null ||
        fail "$name: fill"
    [[ $name == black ]] && cp "$work/black.png" "$s/$name-key.jpg"
    "$grade" --key-sheet "$s/$name-key.jpg" --quiet --csv "$work/$name.csv" "$s"/img* "$s/$name-key.jpg" \
        >/dev/null 2>"$work/$name.err"
    code=$?
    if [[ -n $refusal ]]; then
        [[ $code == 2 && ! -e $work/$name.csv ]] && grep -qF "$refusal" "$work/$name.err" ||
            fail "$name: the key sheet should be refused ($refusal), exit $code: $(cat "$work/$name.err")"
        continue
    fi
    "$grade" --key "$work/$name-key.txt" --quiet --csv "$work/$name-file.csv" "$s"/img* >/dev/null 2>&1
    [[ $code == 0 ]] && cmp -s "$work/$name.csv" "$work/$name-file.csv" ||
        fail "$name: the key sheet grades otherwise than its key file (exit $code): $(cat "$work/$name.err")"
done <<'CASES'
plain|||||
gaps|10,55,100||||
tilted||||--tilt 0.6 --noise 6 --seed 3|
double||7|||ข้อ 7: ระบายหลายช่อง
ticked|||5||ข้อ 5: อ่านครั้งแรกได้ ""
black|||||อ่านไม่ได้
CASES

# Given no key, the first sheet whose ID is 00000000 is the key, wherever it lies among the
# scans, and no student's.
"$sheet" fill -o "$s/found-key.jpg" --id 00000000 --answers "$(awk '{ print $1 }' "$s/key.txt" | paste -sd,)" \
    >/dev/null
scans=("$s"/img*)
class=("${scans[@]:0:6}" "$s/found-key.jpg" "${scans[@]:6}")
"$grade" --quiet --csv "$work/found.csv" "${class[@]}" >/dev/null 2>"$work/found.err" ||
    fail "the key sheet among the scans was not taken as the key: $(cat "$work/found.err")"
"$grade" --key "$s/key.txt" --quiet --csv "$work/given.csv" "${scans[@]}" >/dev/null 2>&1
cmp -s "$work/found.csv" "$work/given.csv" && grep -q "found-key.jpg has the ID 00000000" "$work/found.err" ||
    fail "the class graded by its key sheet differs from the class graded by its key file"
img2pdf -o "$work/class.pdf" "$s/found-key.jpg" "${scans[0]}"
"$grade" --quiet --csv "$work/pdf.csv" "$work/class.pdf" >/dev/null 2>&1
[[ $(cut -d, -f1 "$work/pdf.csv" | tail -n +2) == "$work/class.pdf#2" ]] ||
    fail "the key sheet on a PDF's first page was graded, or the class page was not: $(cat "$work/pdf.csv")"
exit $failed
