#!/usr/bin/env bash
# The vantrel-sheet command line: usage, refusals, file types and batch layout.
set -uo pipefail
tool=$VANTREL_SHEET
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# expect_refusal EXIT_CODE MESSAGE_PART ARGS...
expect_refusal() {
    local code=$1 message=$2
    shift 2
    local stderr status
    stderr=$("$tool" "$@" 2>&1 >/dev/null)
    status=$?
    [[ $status == "$code" ]] || fail "'$*' exited with $status, expected $code"
    [[ $stderr == *"$message"* ]] || fail "'$*' said '$stderr', expected '$message'"
}

[[ $("$tool" --help) == *"vantrel-sheet batch --count N --out DIR"* ]] || fail "--help shows no usage"
[[ $("$tool" fill --help) == *"vantrel-sheet fill"* ]] || fail "fill --help shows no usage"

hundred_and_one=$(printf 'a,%.0s' {1..100})a
expect_refusal 2 "no command given"
expect_refusal 2 "unknown command 'draw'" draw -o "$work/x.png"
expect_refusal 2 "exactly 8 digits" fill -o "$work/x.png" --id 1234567 --answers a
expect_refusal 2 "exactly 8 digits" fill -o "$work/x.png" --id 1234567a --answers a
expect_refusal 2 "answer 3 ('f')" fill -o "$work/x.png" --id 12345678 --answers a,b,f
expect_refusal 2 "answer 1 ('A')" fill -o "$work/x.png" --id 12345678 --answers A
expect_refusal 2 "repeats a letter" fill -o "$work/x.png" --id 12345678 --answers aa
expect_refusal 2 "more than 100 answers" fill -o "$work/x.png" --id 12345678 --answers "$hundred_and_one"
expect_refusal 2 "missing --answers" fill -o "$work/x.png" --id 12345678
expect_refusal 2 "missing -o FILE" fill --id 12345678 --answers a
expect_refusal 2 "image type" fill -o "$work/x.gif" --id 12345678 --answers a
expect_refusal 2 "--tilt wants a number from -3.5 to 3.5" fill -o "$work/x.png" --id 12345678 --answers a --tilt 4
expect_refusal 2 "--quality wants" fill -o "$work/x.jpg" --id 12345678 --answers a --quality 0
expect_refusal 2 "--seed wants" fill -o "$work/x.png" --id 12345678 --answers a --seed -1
expect_refusal 2 "unknown option '--count'" fill -o "$work/x.png" --id 12345678 --answers a --count 3
expect_refusal 2 "given twice" fill -o "$work/x.png" -o "$work/y.png" --id 12345678 --answers a
expect_refusal 2 "needs a value" fill -o "$work/x.png" --id 12345678 --answers
expect_refusal 2 "--count wants a number from 1 to 9999" batch --count 0 --out "$work/b"
expect_refusal 2 "--format wants tif, jpg or bmp" batch --count 1 --out "$work/b" --format png
expect_refusal 2 "missing --out" batch --count 1
expect_refusal 2 "--pencil wants a number from 20 to 130" fill -o "$work/x.png" --id 12345678 --answers a --pencil 10
expect_refusal 2 "--pencil wants a number or a range A-B from 90" batch --count 1 --out "$work/b" --pencil 90-60
expect_refusal 2 "--preset wants stress" batch --count 1 --out "$work/b" --preset hard
expect_refusal 1 "cannot open" fill -o "$work/missing/x.png" --id 12345678 --answers a

# Every type is 24-bit colour at A4, 100 dpi.
for extension in png jpg bmp tif; do
    file="$work/sheet.$extension"
    "$tool" fill -o "$file" --id 00123456 --answers "a,,bd,e" --tilt=-0.5 --noise 4 --quality 85 ||
        fail "fill .$extension failed"
    description=$(identify -format '%w %h %[channels] %z' "$file" 2>/dev/null)
    [[ $description == "827 1169 srgb 8" ]] || fail ".$extension is '$description', expected 827 1169 srgb 8"
done
bmp_depth=$(od -An -tu2 -j28 -N2 "$work/sheet.bmp" | tr -d ' ')
[[ $bmp_depth == 24 ]] || fail "bmp has $bmp_depth bits a pixel"
"$tool" blank -o "$work/blank.png" || fail "blank failed"
[[ $(identify -format '%w %h' "$work/blank.png") == "827 1169" ]] || fail "blank sheet is not A4 at 100 dpi"

# A batch: numbered sheets, the key file and the truth table.
"$tool" batch --count 3 --out "$work/batch" --seed 9 --format bmp >/dev/null || fail "batch failed"
listing=$(cd "$work/batch" && ls | tr '\n' ' ')
[[ $listing == "img001.bmp img002.bmp img003.bmp key.txt truth.csv " ]] || fail "batch wrote: $listing"
[[ $(wc -c <"$work/batch/key.txt") == 500 ]] || fail "key.txt is not 100 lines of one letter"
grep -qvxE '[a-e]  '$'\r' "$work/batch/key.txt" && fail "key.txt has a line that is not a letter, two spaces, CR LF"
[[ $(head -1 "$work/batch/truth.csv") == "file,examinee_id,correct,wrong,error,m1,"*",m100" ]] || fail "truth.csv header"
rows=$(tail -n +2 "$work/batch/truth.csv" | grep -cE '^img00[1-3]\.bmp,[0-9]{8},[0-9]+,[0-9]+,[0-9]+(,[a-e]*){100}$')
[[ $rows == 3 ]] || fail "truth.csv has $rows well-formed rows, expected 3"

# Scan conditions are told beside the truth; the preset's sheets are JPEG.
"$tool" batch --count 2 --out "$work/stress" --preset stress --speck >/dev/null || fail "stress batch failed"
[[ $(cd "$work/stress" && ls | tr '\n' ' ') == "img001.jpg img002.jpg key.txt scan.csv truth.csv " ]] || fail "stress batch files"
[[ $(grep -cE '^img00[12]\.jpg(,-?[0-9.]+){8},[0-9]+,[0-9]+$' "$work/stress/scan.csv") == 2 ]] || fail "scan.csv rows"

if ((failures > 0)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all vantrel-sheet command-line checks passed"
