#!/usr/bin/env bash
# Prints the answer sheet to PDF, renders it as a scanner would see the printout
# (100 dpi; 300 dpi brought down to 100; turned by half a degree either way),
# pencils the printed bubbles and checks that vantrel-grade reads every ID digit
# and every answer bubble back.
set -uo pipefail
sheet=$VANTREL_SHEET
grade=$VANTREL_GRADE
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# key_file NAME SHIFT: question q (from 0) keyed with letter (q + SHIFT) mod 5.
key_file() {
    local q letters=(a b c d e)
    for ((q = 0; q < 100; q++)); do
        printf '%s  \r\n' "${letters[(q + $2) % 5]}"
    done >"$work/$1"
}

# answers SHIFT [SECOND]: every row marked with letter (q + SHIFT) mod 5, and with
# (q + SECOND) mod 5 as well when given.
answers() {
    local q list=() letters=(a b c d e) entry
    for ((q = 0; q < 100; q++)); do
        entry=${letters[(q + $1) % 5]}
        [[ -n ${2:-} ]] && entry=$(printf '%s\n' "$entry" "${letters[(q + $2) % 5]}" | sort | tr -d '\n')
        list+=("$entry")
    done
    (IFS=,; echo "${list[*]}")
}

# read_back KEY SHEET...: "file ID correct wrong error" for each sheet as
# vantrel-grade reads it, sorted by file name.
read_back() {
    local key=$1
    shift
    "$grade" --key "$work/$key" --csv "$work/read.csv" --quiet "$@" >/dev/null 2>&1
    tail -n +2 "$work/read.csv" | cut -d, -f1-5 | sed 's#^[^,]*/##' | tr , ' ' | sort
}

expect() { # WHAT EXPECTED ACTUAL
    [[ $3 == "$2" ]] || fail "$1: read"$'\n'"$3"$'\n'"expected"$'\n'"$2"
}

for shift in 0 1 2 3 4; do key_file "key$shift.txt" "$shift"; done

# The file itself: vector A4 pages, one per copy, fonts embedded.
"$sheet" print -o "$work/sheet.pdf" --title "สอบกลางภาค ม.3/2" --copies 3 || fail "print failed"
info=$(pdfinfo "$work/sheet.pdf" 2>/dev/null)
[[ $info == *"Pages:           3"* ]] || fail "--copies 3 did not give 3 pages"
[[ $info == *"(A4)"* ]] || fail "the pages are not A4"
[[ $info == *"Title:           สอบกลางภาค ม.3/2"* ]] || fail "the title is not the document's title"
pdffonts "$work/sheet.pdf" | tail -n +3 | awk '$(NF-4) != "yes"' | grep -q . && fail "a font is not embedded"
"$sheet" print -o "$work/sheet.png" 2>/dev/null && fail "print accepted a file that is not .pdf"
"$sheet" print -o "$work/x.pdf" --copies 0 2>/dev/null && fail "print accepted --copies 0"

# Pages as a scanner delivers them.
pdftoppm -r 100 -f 1 -l 1 -png "$work/sheet.pdf" "$work/p100" || fail "pdftoppm at 100 dpi failed"
pdftoppm -r 300 -f 2 -l 2 -png "$work/sheet.pdf" "$work/p300" || fail "pdftoppm at 300 dpi failed"
convert "$work"/p300-*2.png -filter Box -resize '827x1169!' "$work/p300-down.png" || fail "downscaling failed"
page100=$(ls "$work"/p100-*1.png)

# Unmarked: the drop-out print must vanish, so nothing reads as a mark.
expect "blank printed page" "$(basename "$page100") 00000000 0 100 0" "$(read_back key0.txt "$page100")"

# Ten sheets pencilled on each page: band b of sheet s holds digit (s + b) mod 10
# and row q letter (q + s) mod 5, so together they fill every printed bubble. Each
# page is read plain and turned by half a degree either way (a tilt of 0.5 lifts
# the right side).
variants=("dpi100 $page100 0" "dpi300 $work/p300-down.png 0" "tilt+0.5 $page100 0.5" "tilt-0.5 $page100 -0.5")
jobs=()
for variant in "${variants[@]}"; do
    read -r name page tilt <<<"$variant"
    for ((s = 0; s < 10; s++)); do
        id=
        for ((b = 0; b < 8; b++)); do id+=$(((s + b) % 10)); done
        echo "$id" >"$work/$name-$s.id"
        jobs+=("fill --paper $page --tilt=$tilt --seed $((s + 1)) --id $id --answers $(answers $s) -o $work/$name-$s.tif")
    done
    # Two bubbles in every row.
    jobs+=("fill --paper $page --tilt=$tilt --id 99999999 --answers $(answers 0 2) -o $work/$name-double.tif")
done
printf '%s\n' "${jobs[@]}" | xargs -P 2 -L 1 "$sheet" || fail "pencilling the pages failed"

for ((k = 0; k < 5; k++)); do
    scans=() wanted=
    for variant in "${variants[@]}"; do
        read -r name _ <<<"$variant"
        for s in $k $((k + 5)); do
            scans+=("$work/$name-$s.tif")
            wanted+="$name-$s.tif $(cat "$work/$name-$s.id") 100 0 0"$'\n'
        done
    done
    expect "every bubble of key $k" "$(sort <<<"${wanted%$'\n'}")" "$(read_back "key$k.txt" "${scans[@]}")"
done
# A mark is not read in its neighbour's box; two marks a row reject every row.
for variant in "${variants[@]}"; do
    read -r name _ <<<"$variant"
    expect "$name, key shifted" "$name-0.tif 01234567 0 100 0" "$(read_back key1.txt "$work/$name-0.tif")"
    expect "$name, two marks a row" "$name-double.tif 99999999 0 0 100" \
        "$(read_back key0.txt "$work/$name-double.tif")"
done

# A scribble well past the printed bubble of question 1 (letter c) is too wide:
# that row alone is rejected.
convert "$page100" -fill '#383838' -draw 'rectangle 163,611 183,624' "$work/scribbled.png"
"$sheet" fill --paper "$work/scribbled.png" --id 12345678 --answers "$(answers 0)" -o "$work/scribbled.tif"
expect "scribbled row" "scribbled.tif 12345678 99 0 1" "$(read_back key0.txt "$work/scribbled.tif")"

if ((failures > 0)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "the printed sheet reads back at 100 dpi, at 300 dpi brought down, and turned by half a degree"
