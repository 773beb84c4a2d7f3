#!/usr/bin/env bash
# vantrel-grade's command line: exit codes, refused sheets, keys with gaps, and
# output (standard output and error, CSV, results file, annotated sheets) that does
# not depend on the number of threads.
set -uo pipefail
sheet=$VANTREL_SHEET
grade=$VANTREL_GRADE
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

"$sheet" batch --count 12 --seed 7 --format jpg --out "$work/s" >/dev/null || fail "sheet batch"

# Usage errors exit 2, before any sheet is graded.
"$grade" >/dev/null 2>&1; [[ $? -eq 2 ]] || fail "no arguments should exit 2"
"$grade" --key "$work/s/key.txt" >/dev/null 2>&1; [[ $? -eq 2 ]] || fail "no sheets should exit 2"
"$grade" --key "$work/s/key.txt" --jobs 0 "$work/s/img001.jpg" >/dev/null 2>&1; [[ $? -eq 2 ]] || fail "--jobs 0 should exit 2"
"$grade" --key "$work/missing.txt" "$work/s/img001.jpg" >/dev/null 2>&1; [[ $? -eq 2 ]] || fail "missing key should exit 2"
# What is no key is refused, with its reason, before anything is written.
while IFS='|' read -r key expect; do
    out=$(timeout 20 "$grade" --key "$key" --csv "$work/x.csv" "$work/s/img001.jpg" 2>&1 </dev/null)
    [[ $? -eq 2 && $out == *"$expect"* && ! -e $work/x.csv ]] || fail "key $key should be refused ($expect): $out"
done <<EOF
/dev/zero|/dev/zero is longer than 64 KiB
$work/s/img001.jpg|it is no answer key
/dev/null|คำเตือน!! ยังไม่มีการใส่เฉลยใดๆ
EOF
out=$("$grade" --key "$work/s/key.txt" --csv "$work/no/such/folder/x.csv" "$work/s/img001.jpg" 2>&1)
[[ $? -eq 2 && $out == *"cannot open"* && $out != *img001* ]] || fail "an unwritable CSV should stop the run at once: $out"
# Outputs that would replace an input or each other are refused before anything is
# written: the sheets and the key stay byte for byte.
cp -r "$work/s" "$work/before"
mkdir -p "$work/links" && ln "$work/s/img001.jpg" "$work/links/hard.png"
k="--key $work/s/key.txt"
while IFS='|' read -r words expect; do
    out=$(cd "$work" && eval "\"$grade\" $k $words" 2>&1 </dev/null)
    [[ $? -eq 2 && $out == *"$expect"* ]] || fail "$words should be refused ($expect): $out"
done <<EOF
--csv s/img001.jpg s/img002.jpg|names an image file
--results s/img001.jpg s/img002.jpg|names an image file
--annotate s --annotate-format jpg s/img001.jpg|would replace the sheet s/img001.jpg
--annotate links --quiet links/hard.png|would replace the sheet links/hard.png
--csv ./s/key.txt s/img001.jpg|would replace the key
--csv a.txt --results ./a.txt s/img001.jpg|are the same file
EOF
diff -r "$work/s" "$work/before" >/dev/null || fail "a refused run changed the inputs"
[[ -e "$work/a.txt" ]] && fail "a refused run wrote an output"
rm -rf "$work/before" "$work/links"
# A write that fails is told, with the system's reason, whatever --quiet says.
mkdir -p "$work/blocked/img002.png"
out=$("$grade" $k --quiet --csv /dev/full --annotate "$work/blocked" "$work/s/img001.jpg" "$work/s/img002.jpg" 2>&1 >/dev/null)
[[ $? -eq 1 && $out == *"/dev/full: No space left on device"* && $out == *"img002.png: Is a directory"* ]] ||
    fail "failed writes should exit 1 and say why: $out"
[[ -c /dev/full ]] || fail "/dev/full was replaced"
"$grade" --help | grep -q -- '--annotate-format' || fail "--help should describe --annotate-format"
"$grade" --help | grep -q -- 'Examples' || fail "--help should show examples"

# Damaged JPEGs (colour: libjpeg-turbo, grey: Qt) are refused as damaged; what the
# decoders say is on the sheet's own lines only.
python3 -c 'import sys; b = bytearray(open(sys.argv[1], "rb").read()); n = len(b) // 2
b[n:n + 64] = bytes(range(64)); sys.stdout.buffer.write(b)' "$work/s/img003.jpg" >"$work/damaged.jpg"
convert "$work/s/img003.jpg" -colorspace Gray "$work/grey.jpg"
{ head -c 30000 "$work/grey.jpg" && printf '\xff\xd9'; } >"$work/damaged-grey.jpg"
out=$("$grade" $k "$work/damaged.jpg" "$work/damaged-grey.jpg" 2>&1)
[[ $? -eq 1 && $(grep -c "damaged.*jpg  refused: .*ข้อมูลภาพเสียหาย" <<<"$out") -eq 2 &&
    $(grep -c "^qt\.\|^Corrupt" <<<"$out") -eq 0 ]] || fail "damaged sheets should be refused as damaged: $out"

# Sheets that cannot be graded: corrupt, too small, no registration mark. They never
# stop the others. A sheet under a Thai name, and two sheets whose names meet.
mkdir -p "$work/bad ห้อง 1" "$work/other"
head -c 3000 "$work/s/img002.jpg" >"$work/bad ห้อง 1/truncated.jpg"
echo "not an image" >"$work/bad ห้อง 1/text.jpg"
"$sheet" fill -o "$work/bad ห้อง 1/small.png" --id 00000001 --answers a >/dev/null 2>&1 && \
    convert "$work/bad ห้อง 1/small.png" -crop 600x400+0+0 "$work/bad ห้อง 1/small.png" 2>/dev/null
"$sheet" fill -o "$work/bad ห้อง 1/nomark.png" --id 00000001 --answers a >/dev/null 2>&1 && \
    convert "$work/bad ห้อง 1/nomark.png" -fill white -draw "rectangle 670,395 780,505" "$work/bad ห้อง 1/nomark.png" 2>/dev/null
cp "$work/s/img004.jpg" "$work/bad ห้อง 1/นักเรียน 4.jpg"
cp "$work/s/img005.jpg" "$work/other/img003.jpg"

set -- "$work/s/img001.jpg" "$work/bad ห้อง 1/truncated.jpg" "$work/s/img002.jpg" "$work/bad ห้อง 1/text.jpg" \
    "$work/bad ห้อง 1/small.png" "$work/bad ห้อง 1/nomark.png" "$work"/s/img0{03..12}.jpg \
    "$work/bad ห้อง 1/นักเรียน 4.jpg" "$work/other/img003.jpg"
graded=14

run() { # name key jobs sheets...
    local name=$1 key=$2 jobs=$3
    shift 3
    "$grade" --key "$key" --jobs "$jobs" --csv "$work/$name.csv" --results "$work/$name.txt" \
        --annotate "$work/$name ภาพ" "$@" >"$work/$name.out" 2>"$work/$name.err"
}
same() { # a b: every output of the two runs is byte for byte the same
    for ext in out err csv txt; do
        cmp -s "$work/$1.$ext" "$work/$2.$ext" || fail "$1.$ext and $2.$ext differ"
    done
    diff -r "$work/$1 ภาพ" "$work/$2 ภาพ" >/dev/null || fail "annotated sheets of $1 and $2 differ"
}

run one "$work/s/key.txt" 1 "$@"
status=$?
[[ $status -eq 1 ]] || fail "refused sheets should exit 1, got $status"
run two "$work/s/key.txt" 2 "$@"
same one two
tr -d '\n' <"$work/s/key.txt" >"$work/cr.txt"
"$grade" --key "$work/cr.txt" --quiet --csv "$work/cr.csv" "$1" >/dev/null 2>&1
[[ $(sed -n 2p "$work/cr.csv") == "$(sed -n 2p "$work/one.csv")" ]] || fail "a key with CR line ends grades as with CR LF"

status_of() { cut -d, -f6 "$work/$1.csv" | tail -n +2 | sort | uniq -c | awk '{printf "%s=%s ", $2, $1}'; }
[[ $(status_of one) == "refused=4 reported=$graded " ]] || fail "statuses: $(status_of one)"
[[ $(tail -n +2 "$work/one.csv" | cut -d, -f1 | sed -n 2p) == *truncated.jpg ]] || fail "rows not in input order"
awk -F, 'NF != 211 { exit 1 }' "$work/one.csv" || fail "every CSV row should have 211 fields"
awk -F, '$6 == "refused" { for (i = 7; i <= 211; ++i) if ($i != "") exit 1 }' "$work/one.csv" ||
    fail "refused rows should have empty question fields"
grep -q "ไม่พบเครื่องหมายอ้างอิง" "$work/one.err" || fail "no-mark refusal message missing on stderr"
grep -q "ภาพมีขนาดเล็กเกินไป" "$work/one.err" || fail "too-small refusal message missing on stderr"
[[ $(wc -l <"$work/one.txt") -eq $graded ]] || fail "results file should have one line per graded sheet"
grep -q $'\r' "$work/one.err" && fail "no progress line when standard error is not a terminal"

# The summary: counts and the mean and range of the correct counts.
expected=$(awk -F, -v total=$((graded + 4)) '
    NR > 1 && $6 != "refused" { n++; sum += $3; if (n == 1 || $3 < lo) lo = $3; if (n == 1 || $3 > hi) hi = $3 }
    NR > 1 && $207 != "" { doubtful++ }
    END { printf "%d sheets: %d graded (%d reported, 0 unreported), 4 refused, %d to review; correct: mean %.1f, range %d-%d",
          total, n, n, doubtful, sum / n, lo, hi }' "$work/one.csv")
[[ $(tail -n 1 "$work/one.err") == "$expected" ]] || fail "summary: $(tail -n 1 "$work/one.err") != $expected"

# One annotated sheet per graded sheet, named after it; names that meet get -2.
annotated=$(cd "$work/one ภาพ" && ls | sort | tr '\n' ' ')
[[ $annotated == "img001.png img002.png img003-2.png img003.png img004.png img005.png img006.png img007.png img008.png img009.png img010.png img011.png img012.png นักเรียน 4.png " ]] ||
    fail "annotated sheets: $annotated"
cmp -s "$work/one ภาพ/img004.png" "$work/one ภาพ/นักเรียน 4.png" || fail "a copied sheet should annotate the same"
# The overlay: black marks on white, cyan mark windows, green reads, red wrong answers, orange rejected rows.
colours=$(convert "$work/one ภาพ/img001.png" -unique-colors txt:- | tail -n +2 | awk '{print $3}' | sort | tr '\n' ' ')
[[ $(echo "$colours" | tr ' ' '\n' | grep -cvE '^(#000000|#FFFFFF|#00FFFF|#00FF00|#FF0000|#FF6600|)$') -eq 0 ]] ||
    fail "annotated colours beyond the overlay's: $colours"
for colour in '#000000' '#FFFFFF' '#00FFFF' '#00FF00'; do
    [[ $colours == *"$colour"* ]] || fail "annotated sheet without $colour: $colours"
done
for format in jpg tif; do
    "$grade" --key "$work/s/key.txt" --quiet --annotate "$work/$format" --annotate-format $format \
        "$work/s/img001.jpg" >/dev/null 2>&1 || fail "--annotate-format $format"
    [[ $(identify -format '%w %h' "$work/$format/img001.$format" 2>/dev/null) == "$(identify -format '%w %h' "$work/s/img001.jpg")" ]] ||
        fail "annotated $format sheet missing or of another size"
done

# Per question: m is what the generator drew; q follows from it and the key.
key_letters=$(tr -d ' \r' <"$work/s/key.txt" | tr '\n' ',')
expected_detail() { # truth.csv -> file,q1..q100,m1..m100 as the grader must give them
    awk -F, -v key="$key_letters" 'BEGIN { split(key, k, ",") } NR > 1 {
        line = $1
        for (q = 1; q <= 100; ++q) {
            m = $(5 + q)
            line = line "," (k[q] !~ /^[a-e]$/ ? "" : length(m) >= 2 ? "E" : m == k[q] ? "C" : "W")
        }
        for (q = 1; q <= 100; ++q) line = line "," $(5 + q)
        print line }' "$1" | sort
}
read_detail() { # graded CSV -> file,q1..q100,m1..m100 of the batch's own sheets
    awk -F, 'NR > 1 && $1 ~ /\/s\/img/ { n = split($1, p, "/"); line = p[n]
        for (i = 7; i <= 206; ++i) line = line "," $i
        print line }' "$1" | sort
}
diff <(expected_detail "$work/s/truth.csv") <(read_detail "$work/one.csv") >"$work/detail.diff" ||
    fail "per-question columns differ from what was drawn: $(head -c 600 "$work/detail.diff")"
grep -q ',E,' "$work/one.csv" && grep -q ',,' <(cut -d, -f107-206 "$work/one.csv" | tail -n +2) ||
    fail "the set should hold rejected rows and blank rows"

# A key with a gap before its last question: the gap stays ungraded, the sheets are still reported.
sed '99s/^./x/' "$work/s/key.txt" >"$work/gap.txt"
run gap-one "$work/gap.txt" 1 "$@"
run gap-two "$work/gap.txt" 2 "$@"
same gap-one gap-two
[[ $(status_of gap-one) == "refused=4 reported=$graded " ]] || fail "statuses: $(status_of gap-one)"
awk -F, 'NR > 1 && $6 == "reported" && ($105 != "" || $106 == "") { exit 1 }' "$work/gap-one.csv" ||
    fail "question 99 should be left ungraded, question 100 graded"

# On a terminal a progress line shows and is cleared before each sheet's line.
script -qec "'$grade' --key '$work/s/key.txt' --quiet '$work/s/img001.jpg' '$work/s/img002.jpg'" /dev/null \
    >"$work/tty.txt" 2>&1
grep -q 'grading 1/2' "$work/tty.txt" || fail "no progress line on a terminal"
grep -q $'\033\\[K.*img002.jpg  ID' "$work/tty.txt" || fail "progress line not cleared before a sheet's line"

exit $failed
