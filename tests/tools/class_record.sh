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

# name | batch options. VANTREL_RECORD_SHEETS=300 runs the comparison on a class of that size.
count=${VANTREL_RECORD_SHEETS:-20}
while IFS='|' read -r name options; do
    s=$work/$name
    "$sheet" batch --count "$count" --seed 23 --out "$s" $options >/dev/null || fail "$name: batch"
    convert -size 827x1169 xc:black -type TrueColor "$s/img999.png" # no sheet: refused in the record too
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
    [[ $(sqlite3 "$work/$name.vantrel" 'SELECT count(*) FROM sheets; SELECT count(*) FROM keys') == "$((count + 1))"$'\n4' ]] ||
        fail "$name: the second run should grade nothing again and every key be kept"
done <<'CASES'
clean|
stress|--preset stress
classroom|--preset classroom
CASES

# The class list graded with is kept once, and names the students of a re-score given none.
{ echo id,name; tail -n +2 "$work/clean/truth.csv" | awk -F, '{ print $2 ",นักเรียน " NR }'; } >"$work/list.csv"
for run in 1 2; do
    "$grade" --key "$work/clean/key.txt" --quiet --roster "$work/list.csv" --class "$work/named.vantrel" \
        --csv "$work/named.csv" "$work"/clean/img* >/dev/null 2>&1
done
"$grade" --key "$work/clean/key.txt" --class "$work/named.vantrel" --rescore --csv "$work/re.csv" >/dev/null 2>"$work/re.err"
cmp -s "$work/re.csv" "$work/named.csv" || fail "a re-score without a class list should name as the kept list does"
grep -qF "the class list kept in the record ($work/list.csv)" "$work/re.err" || fail "the kept list is not named: $(cat "$work/re.err")"
[[ $(sqlite3 "$work/named.vantrel" 'SELECT count(*) FROM class_lists') == 1 ]] || fail "the same list should be kept once"

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
cp "$work/clean.vantrel" "$work/newer.vantrel" && sqlite3 "$work/newer.vantrel" 'PRAGMA user_version = 3'
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
$work/newer.vantrel|made by a newer Vantrel (format 3
$work/damaged.vantrel|damaged
$work/other.vantrel|not a class record
CASES

# A damaged record is refused by a re-score too, however far its reading got; nothing is written.
before=$(sha256sum "$work/damaged.vantrel")
"$grade" --key "$work/clean/key.txt" --class "$work/damaged.vantrel" --rescore --csv "$work/damaged.csv" >/dev/null 2>"$work/err"
[[ $? == 2 && ! -e $work/damaged.csv ]] && grep -qF damaged "$work/err" && [[ $(sha256sum "$work/damaged.vantrel") == "$before" ]] ||
    fail "a re-score of a damaged record should be refused: $(cat "$work/err")"
# A record of a build that kept only the question rows re-scores as one that packs them.
cp "$work/stress.vantrel" "$work/rows.vantrel"
sqlite3 "$work/rows.vantrel" 'DROP TABLE packed_questions'
[[ $(sqlite3 "$work/rows.vantrel" 'SELECT count(*) FROM questions') -gt 0 ]] || fail "the record holds no question rows"
for record in stress rows; do
    "$grade" --key "$work/stress-key2.txt" --class "$work/$record.vantrel" --rescore --csv "$work/$record-re.csv" \
        --review "$work/$record-review.csv" >/dev/null 2>&1
    echo $? >"$work/$record-exit"
done
cmp -s "$work/stress-re.csv" "$work/rows-re.csv" && cmp -s "$work/stress-review.csv" "$work/rows-review.csv" &&
    cmp -s "$work/stress-exit" "$work/rows-exit" || fail "the packed rows re-score otherwise than the question rows"

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

# The final reading. Sheets whose final columns equal the truth (its counts made here from its
# marks and the key), the sheets, the unresolved items, and the sheet items (tilt, mark) among them.
exact() { awk -F, 'FILENAME == ARGV[1] { k[FNR] = substr($0, 1, 1); next }
    FNR == 1 { for (i = 1; i <= NF; ++i) if ($i == "review") rv = i; next }
    FILENAME == ARGV[2] { c = w = e = 0; for (q = 1; q <= 100; ++q) if (k[q] != "") { m = $(q + 5)
        if (length(m) > 1) ++e; else if (m == k[q]) ++c; else ++w }
        t[$1] = sprintf("%08d,%d,%d,%d", $2, c, w, e); next }
    { n = split($1, p, "/"); ++s; ok += $(NF-4) "," $(NF-3) "," $(NF-2) "," $(NF-1) == t[p[n]]; u += $NF
        n = split($rv, it, ";"); for (i = 1; i <= n; ++i) si += it[i] !~ /^(q|id:)/ }
    END { print ok + 0, s + 0, u + 0, si + 0 }' "$1/key.txt" "$1/truth.csv" "$2"; }
s=$work/final rec=$work/final.vantrel
"$sheet" batch --count 100 --seed 41 --out "$s" --preset stress >/dev/null || fail "final: batch"
changed_key "$s/key.txt" >"$work/final-key2.txt"
for run in 1 2; do # the rerun adds no policy event again
    "$grade" --key "$s/key.txt" --quiet --class "$rec" --accept second --csv "$work/acc.csv" "$s"/img* >/dev/null 2>&1
    events[run]=$(sqlite3 "$rec" "SELECT count(*) FROM resolutions WHERE how = 'policy'")
done
read -r ok sheets unresolved sheetItems < <(exact "$s" "$work/acc.csv")
echo "--accept second on stress: $ok of $sheets sheets exact, $unresolved unresolved ($sheetItems tilt or mark)"
((ok * 100 >= sheets * 99 && sheets == 100 && unresolved == sheetItems && events[1] > 0 && events[1] == events[2])) ||
    fail "--accept second: $ok of $sheets exact, $((unresolved - sheetItems)) disagreements left, ${events[*]} policy events"
# Typed resolutions change exactly their sheets, and a re-score with another key keeps them.
finals() { "$grade" --key "$work/final-key2.txt" --class "$rec" --rescore --csv "$work/re.csv" >/dev/null 2>&1
    awk -F, '{ print $1, $(NF-4), $(NF-3), $(NF-2), $(NF-1) }' "$work/re.csv"; }
finals >"$work/before.txt"
digit=$(awk -F, '$1 == "img003.jpg" { printf "%d", (substr(sprintf("%08d", $2), 1, 1) + 1) % 10 }' "$s/truth.csv")
printf 'file,item,value,reason\n%s,id:1,%s,"seen on paper, twice"\n%s,q2,ba\n' "$s/img003.jpg" "$digit" "$s/img005.jpg" >"$work/fix.csv"
"$grade" --key "$s/key.txt" --class "$rec" --rescore --resolve "$work/fix.csv" >/dev/null 2>&1 || fail "--resolve was refused"
[[ $(diff "$work/before.txt" <(finals) | grep -c '^>') == 2 && $(finals | grep "img003.jpg $digit") ]] ||
    fail "--resolve should change img003 and img005 alone: $(diff "$work/before.txt" <(finals))"
"$grade" --key "$s/key.txt" --class "$rec" --rescore --audit "$work/audit.csv" --report "$work/re.pdf" >/dev/null 2>&1
# The report's last page lists the settled items, the typed ones with who settled them.
pdftotext -layout "$work/re.pdf" "$work/re.txt"
grep -q "img005.jpg .*ab .*ครูระบุ *$(id -un)" "$work/re.txt" || fail "the report should end with the settled items"
[[ $(awk -F, '{ ++n[$5] } END { print n["policy"], n["typed"] }' "$work/audit.csv") == "${events[2]} 2" ]] &&
    grep -qF '"seen on paper, twice"' "$work/audit.csv" || fail "--audit should list every event: $(head -3 "$work/audit.csv")"
# line | what the refusal says: the whole file is refused, nothing written
before=$(sha256sum "$rec")
while IFS='|' read -r line says; do
    printf '%s\n%s\n' "$s/img001.jpg,q3,c" "$line" >"$work/bad.csv"
    "$grade" --key "$s/key.txt" --class "$rec" --rescore --resolve "$work/bad.csv" --csv "$work/bad-out.csv" >/dev/null 2>"$work/err"
    [[ $? == 2 && ! -e $work/bad-out.csv && $(sha256sum "$rec") == "$before" ]] && grep -qF "bad.csv line 2: $says" "$work/err" ||
        fail "--resolve line '$line' should be refused ($says): $(cat "$work/err")"
done <<CASES
$s/img999.jpg,q3,c|no sheet named
$s/img001.jpg,q101,c|no such item
$s/img001.jpg,id:2,12|id:2 takes one digit
$s/img001.jpg,q4,abf|q4 takes the letters
CASES
exit $failed
