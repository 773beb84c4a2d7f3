#!/usr/bin/env bash
# The class record: graded classes re-scored from the record alone with a changed key equal a
# fresh grading byte for byte; records that are not ours are refused untouched; a run killed
# with -9 leaves a sound record that the same command completes.
set -uo pipefail
sheet=$VANTREL_SHEET
grade=$VANTREL_GRADE
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }
# Another key: every 7th answer changed, questions past 80 not counted.
changed_key() { awk 'NR > 80 { print ""; next } NR % 7 == 0 { print (substr($0, 1, 1) == "a" ? "b" : "a"); next } 1' "$1"; }

# name | batch options
while IFS='|' read -r name options; do
    s=$work/$name
    "$sheet" batch --count 20 --seed 23 --out "$s" $options >/dev/null || fail "$name: batch"
    convert -size 827x1169 xc:black -type TrueColor "$s/img021.png" # no sheet: refused in the record too
    changed_key "$s/key.txt" >"$work/$name-key2.txt"
    for key in "$s/key.txt" "$work/$name-key2.txt"; do
        "$grade" --key "$key" --quiet --csv "$work/fresh.csv" --review "$work/fresh.review" "$s"/img* >/dev/null 2>&1
        fresh=$?
        "$grade" --key "$s/key.txt" --quiet --class "$work/$name.vantrel" --csv "$work/graded.csv" "$s"/img* >/dev/null 2>&1
        [[ $key == "$s/key.txt" ]] && { cmp -s "$work/graded.csv" "$work/fresh.csv" || fail "$name: --class changed the CSV"; }
        "$grade" --key "$key" --class "$work/$name.vantrel" --rescore --csv "$work/re.csv" --review "$work/re.review" >/dev/null 2>&1
        [[ $? == "$fresh" ]] || fail "$name: rescore with $key should exit as a fresh grading does ($fresh)"
        cmp -s "$work/re.csv" "$work/fresh.csv" || fail "$name: rescore with $key differs: $(diff "$work/re.csv" "$work/fresh.csv" | head -c 600)"
        cmp -s "$work/re.review" "$work/fresh.review" || fail "$name: rescore's review with $key differs: $(diff "$work/re.review" "$work/fresh.review" | head -c 600)"
    done
    [[ $(sqlite3 "$work/$name.vantrel" 'SELECT count(*) FROM sheets; SELECT count(*) FROM keys') == $'21\n4' ]] ||
        fail "$name: the second run should grade nothing again and every key be kept"
done <<'CASES'
clean|
stress|--preset stress
CASES

# A scan changed or gone since it was graded is named by a re-score and by a grading alike;
# what the record holds of a scan gone is scored, never replaced by a refusal.
"$grade" --key "$work/clean/key.txt" --quiet --csv "$work/clean.csv" "$work"/clean/img* >/dev/null 2>&1
cp "$work/clean/img002.tif" "$work/clean/img001.tif" && mv "$work/clean/img004.tif" "$work/gone.tif"
# options | what it says
while IFS='|' read -r options says; do
    "$grade" --key "$work/clean/key.txt" --class "$work/clean.vantrel" --csv "$work/re.csv" $options >/dev/null 2>"$work/re.err"
    grep -qF "$says" "$work/re.err" || fail "$options should say $says: $(cat "$work/re.err")"
    kept=$(grep img004 "$work/re.csv")
    [[ -z $kept || $kept == "$(grep img004 "$work/clean.csv")" ]] || fail "$options: img004 is not as graded: $kept"
done <<CASES
--rescore|img001.tif has changed on disk since it was graded; scored from the record
--rescore|img004.tif is gone from disk; scored from the record
$work/clean/img002.tif|img004.tif is gone from disk; the record keeps its sheet
$work/clean/img002.tif|img001.tif has changed on disk since it was graded; the record keeps its sheet
$work/clean/img001.tif|img001.tif has changed on disk since it was graded; graded again
$work/clean/img004.tif|img004.tif is gone from disk; scored from the record
CASES
sqlite3 "$work/clean.vantrel" "UPDATE questions SET box_a = 0" 2>/dev/null && fail "a reading was rewritten"

# what the --class path is | how it is made | what the refusal says
printf 'not a database\n' >"$work/text.vantrel"
cp "$work/clean.vantrel" "$work/newer.vantrel" && sqlite3 "$work/newer.vantrel" 'PRAGMA user_version = 2'
cp "$work/clean.vantrel" "$work/damaged.vantrel" && printf 'XXXXXXXX%.0s' {1..512} | dd of="$work/damaged.vantrel" bs=1 seek=8192 conv=notrunc status=none
sqlite3 "$work/other.vantrel" 'CREATE TABLE t(x)'
while IFS='|' read -r path says; do
    before=$(sha256sum "$path")
    "$grade" --key "$work/clean/key.txt" --class "$path" --csv "$work/out.csv" "$work/clean/img003.tif" >/dev/null 2>"$work/err"
    [[ $? == 2 ]] && grep -qF "$says" "$work/err" || fail "--class $path should be refused ($says): $(cat "$work/err")"
    [[ $(sha256sum "$path") == "$before" ]] || fail "--class $path was changed"
done <<CASES
$work/clean/img003.tif|names an image file
$work/clean/key.txt|would replace the key
$work/text.vantrel|not a class record
$work/newer.vantrel|made by a newer Vantrel (format 2
$work/damaged.vantrel|damaged
$work/other.vantrel|not a class record
CASES

# Killed part-way: the record stays sound and the same command completes it.
s=$work/kill
"$sheet" batch --count 40 --seed 5 --out "$s" >/dev/null
# Copies, not links (one file is one sheet): enough sheets that the kill lands mid-run.
for f in "$s"/img*; do for c in {1..3}; do cp "$f" "${f%/*}/img-$c-${f##*/}"; done; done
"$grade" --key "$s/key.txt" --quiet --csv "$work/fresh.csv" "$s"/img* >/dev/null 2>&1
run() { "$grade" --key "$s/key.txt" --quiet --jobs 1 --class "$work/kill.vantrel" "$s"/img* >/dev/null 2>&1; }
"$grade" --key "$s/key.txt" --quiet --jobs 1 --class "$work/kill.vantrel" "$s"/img* >/dev/null 2>&1 &
pid=$! # the grader itself, not a shell around it
for _ in $(seq 300); do
    [[ $(sqlite3 "$work/kill.vantrel" 'SELECT count(*) FROM sheets' 2>/dev/null || echo 0) -ge 5 ]] && break
    sleep 0.05
done
kill -9 $pid
wait $pid 2>/dev/null
held=$(sqlite3 "$work/kill.vantrel" 'SELECT count(*) FROM sheets')
[[ $(sqlite3 "$work/kill.vantrel" 'PRAGMA integrity_check') == ok && $held -lt 160 ]] ||
    fail "the killed run should leave a sound, partial record ($held of 160 sheets)"
run || fail "the rerun failed"
"$grade" --key "$s/key.txt" --class "$work/kill.vantrel" --rescore --csv "$work/re.csv" >/dev/null 2>&1
cmp -s "$work/re.csv" "$work/fresh.csv" && [[ $(sqlite3 "$work/kill.vantrel" 'SELECT count(*) FROM sheets') == 160 ]] ||
    fail "the rerun should complete the record (it held $held)"
exit $failed
