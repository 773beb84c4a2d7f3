#!/usr/bin/env bash
# The scoring plan: each feature alone and together gives the points worked here from the truth
# file (the marks drawn and the key); a re-score of the record with a changed plan equals a fresh
# grading with it, without the scans; a bad plan is refused with its line.
set -uo pipefail
sheet=$VANTREL_SHEET
grade=$VANTREL_GRADE
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }
s=$work/s
"$sheet" batch --count 30 --seed 61 --out "$s" >/dev/null || fail "batch"
"$grade" --key "$s/key.txt" --quiet --csv "$work/base.csv" "$s"/img* >/dev/null 2>&1

# file points max percent grade section... from the key, the plan (plain commas) and the truth.
expected() { awk -F, 'FILENAME == ARGV[1] { k[FNR] = substr($0, 1, 1); next }
    FILENAME == ARGV[2] { if ($1 == "wrong_penalty") pen = $2; else if ($1 == "grade") { g[++nb] = $2; m[nb] = $3 }
        else if ($1 ~ /^[0-9]/) { n = split($1, r, "-"); for (q = r[1] + 0; q <= r[n] + 0; ++q) {
            acc[q] = $2; pts[q] = $3; sec[q] = $4; drop[q] = $5 != "" }
            if ($4 != "" && !($4 in known)) { known[$4]; order[++ns] = $4 } }
        next }
    FNR == 1 { if (!nb) for (b = 0; b <= 6; ++b) { g[++nb] = 4 - b / 2; m[nb] = 80 - 5 * b } g[++nb] = 0; m[nb] = 0; next }
    { max = total = 0; delete part
        for (q = 1; q <= 100; ++q) if (k[q] ~ /[a-e]/) { a = acc[q] == "" ? k[q] : acc[q]; p = pts[q] == "" ? 1 : pts[q]
            x = $(q + 5); got = drop[q] || (length(x) == 1 && index(a, x)) ? p : 0; got -= !got && x != "" ? pen : 0
            max += p; total += got; part[sec[q]] += got }
        points = total < 0 ? 0 : total; percent = int(points * 10000 / max) / 100
        for (b = 1; m[b] > percent; ++b) {}
        line = sprintf("%s %.2f %.2f %.2f %.2f", $1, points, max, percent, g[b])
        for (i = 1; i <= ns; ++i) line = line sprintf(" %.2f", part[order[i]] < 0 ? 0 : part[order[i]])
        print line }' "$s/key.txt" "$1" "$s/truth.csv"; }
graded() { awk -F, 'NR > 1 { n = split($1, p, "/"); line = p[n]; for (i = 217; i <= NF; ++i) line = line sprintf(" %.2f", $i); print line }' "$1"; }

# name | the plan's lines, ~ between them | how it is written
while IFS='|' read -r name lines form; do
    tr '~' '\n' <<<"$lines" >"$work/$name.csv"
    case $form in
        excel) { printf '\xEF\xBB\xBF'; sed 's/,/;/g; s/\./,/g; s/$/\r/' "$work/$name.csv"; } >"$work/$name-given.csv" ;;
        *) cp "$work/$name.csv" "$work/$name-given.csv" ;;
    esac
    "$grade" --key "$s/key.txt" --quiet --plan "$work/$name-given.csv" --csv "$work/out.csv" "$s"/img* >/dev/null 2>&1 ||
        fail "$name: the plan was refused"
    diff <(expected "$work/$name.csv") <(graded "$work/out.csv") >"$work/diff" || fail "$name: $(head -c 600 "$work/diff")"
    cut -d, -f1-216 "$work/out.csv" | cmp -s - "$work/base.csv" || fail "$name: the columns before the plan's changed"
done <<'CASES'
plain||
alternatives|3,ab~7,cde~12,abcde|
dropped|5,,,,yes~9,,,,ตัด~10,,,,|
weights|1-10,,2~11,,0.5~12,,1.25|
penalty|wrong_penalty,0.25|
floor|wrong_penalty,3~1-50,,,ภาษาไทย~51-100,,0.25,คณิตศาสตร์|
sections|1 - 40,,,ภาษาไทย~41-100,,,คณิตศาสตร์|
bands|grade,4,60.5~grade,2,55~grade,1,40~grade,0,0|
together|question,letters,points,section,dropped~1-20,,2,ภาษาไทย~21,bc,1,ภาษาไทย~22,,,วิทย์,yes~23-40,ab,1.5,วิทย์~41-60,abcde,1.5,วิทย์~wrong_penalty,0.5~grade,4,70~grade,3,50~grade,0,0|
excel|1-20,,2,ภาษาไทย~21,bc,1,ภาษาไทย~22,,,วิทย์,yes~23-60,,1.5,วิทย์~wrong_penalty,0.25~grade,4,70.5~grade,0,0|excel
CASES

# The workbook, the report and the slips show what the CSV's plan columns give: each student's
# points, grade and sections, the class's mean and grades, the marked items, each question's points.
"$grade" --key "$s/key.txt" --quiet --plan "$work/together.csv" --csv "$work/o.csv" --xlsx "$work/o.xlsx" \
    --report "$work/o.pdf" --slips "$work/os.pdf" "$s"/img* >/dev/null 2>&1 || fail "the outputs with a plan"
pdftotext -raw "$work/o.pdf" "$work/o.txt" && pdftotext -raw "$work/os.pdf" "$work/os.txt"
/usr/bin/python3 - "$work/o.csv" "$work/o.xlsx" "$work/o.txt" "$work/os.txt" "$work/together.csv" <<'PY' || fail "the outputs differ from the CSV's plan columns"
import collections, csv, re, sys, openpyxl
head, *rows = list(csv.reader(open(sys.argv[1], encoding='utf-8')))
at = head.index('points')
cells = list(openpyxl.load_workbook(sys.argv[2]).worksheets[0].iter_rows(values_only=True))
names = [c.rsplit(' (', 1)[1][:-1] for c in cells[0][9:]]
assert names == [n.replace('percent', 'points_percent') for n in head[at:]], names
report, slips = open(sys.argv[3]).read(), open(sys.argv[4]).read().split('\nชื่อ ')[1:]
plan = [line.split(',') for line in open(sys.argv[5]).read().split('\n')[1:] if line]
for r, c in zip(rows, cells[1:]):
    assert [float(x) for x in r[at:]] == list(c[9:]), (r, c)
    p, m, pct, g = r[at:at + 4]
    assert re.search(rf'^\d+ {r[1]} .* {p} {g}$', report, re.M), r
    slip = next(t for t in slips if r[1] in t)
    assert f'คะแนน {p} / {m} ({pct} %) เกรด {g}\n' in slip, (r, slip[:300])
    assert re.findall(r' ([\d.]+)(?:,|\n)', slip.split('ตอน ')[1].split('\n')[0] + '\n') == r[at + 4:], slip
    each = [float(x) for x in re.findall(r'\b\d+ [a-e]+ (?:[a-e]+|–) (-?[\d.]+)', slip)]
    assert len(each) == 100 and max(0, sum(each)) == float(p), (r, each)
points = [float(r[at]) for r in rows]
assert re.search(rf'^\S+ {sum(points) / len(points):.2f} \S+ {rows[0][at + 1]}$', report, re.M)
grades = collections.Counter(r[at + 3] for r in rows)
assert ', '.join(f'{b[1]}: {grades[b[1]]}' for b in plan if b[0] == 'grade') in report
marks = {q: (d != '', len(a) > 1 and a) for q0, a, _, _, d, *_ in [b + [''] * 5 for b in plan if b[0][0].isdigit()]
    for q in range(int(q0.split('-')[0]), int(q0.split('-')[-1]) + 1)}
for item in re.finditer(r'^(\d+) [a-e] \d\.\d\d .*$', report, re.M):
    (dropped, letters), line = marks.get(int(item[1]), (False, False)), item[0]
    assert ('ยกเลิก' in line) == dropped and (f'รับ {letters}' in line if letters else 'รับ' not in line), line
PY

# A changed plan re-scores the record alone, as a fresh grading with it scores; the latest is kept.
rec=$work/class.vantrel
"$grade" --key "$s/key.txt" --quiet --class "$rec" --plan "$work/weights.csv" "$s"/img* >/dev/null 2>&1
"$grade" --key "$s/key.txt" --quiet --plan "$work/together.csv" --csv "$work/fresh.csv" "$s"/img* >/dev/null 2>&1
mv "$s" "$work/away"
"$grade" --key "$work/away/key.txt" --class "$rec" --rescore --plan "$work/together.csv" --csv "$work/re.csv" >/dev/null 2>&1
"$grade" --key "$work/away/key.txt" --class "$rec" --rescore --csv "$work/kept.csv" >/dev/null 2>"$work/kept.err"
mv "$work/away" "$s"
cmp -s "$work/re.csv" "$work/fresh.csv" || fail "a re-score with a new plan differs: $(diff "$work/re.csv" "$work/fresh.csv" | head -c 600)"
cmp -s "$work/kept.csv" "$work/fresh.csv" && grep -qF "scoring plan kept in the record ($work/together.csv)" "$work/kept.err" ||
    fail "a re-score without --plan should use the plan kept last: $(cat "$work/kept.err")"
[[ $(sqlite3 "$rec" 'SELECT count(*) FROM scoring_plans') == 2 ]] || fail "each plan should be kept once"
sqlite3 "$rec" "UPDATE scoring_plans SET content = ''" 2>/dev/null && fail "a kept plan was rewritten"

# plan lines after "question,letters" and "1,a", ~ between them | what the refusal says
printf 'a\n%.0s' {1..80} >"$work/key80.txt"
while IFS='|' read -r lines says; do
    { printf 'question,letters\n1,a\n'; tr '~' '\n' <<<"$lines"; } >"$work/bad.csv"
    "$grade" --key "$work/key80.txt" --plan "$work/bad.csv" --csv "$work/bad-out.csv" "$s/img001.tif" >/dev/null 2>"$work/err"
    [[ $? == 2 && ! -e $work/bad-out.csv ]] && grep -qF "แผนการให้คะแนน $work/bad.csv$says" "$work/err" ||
        fail "plan line '$lines' should be refused ($says): $(cat "$work/err")"
done <<'CASES'
81,a| บรรทัดที่ 3: ข้อ 81 ไม่มีในเฉลย
101,a| บรรทัดที่ 3: "101" ไม่ใช่เลขข้อ
ข้อ 5,a| บรรทัดที่ 3: "ข้อ 5" ไม่ใช่เลขข้อ
2,af| บรรทัดที่ 3: คำตอบที่ยอมรับ "af" ต้องเป็นตัวอักษร a ถึง e
2,a,two| บรรทัดที่ 3: คะแนน "two" ไม่ใช่ตัวเลข
2,a,1.255| บรรทัดที่ 3: คะแนน "1.255" ไม่ใช่ตัวเลข
2,a,1,,maybe| บรรทัดที่ 3: ช่องตัดข้อ "maybe"
2,a,1,,,extra| บรรทัดที่ 3: มีช่องเกินมา "extra"
~~1-3,b| บรรทัดที่ 5: ข้อ 1 มีแล้วในบรรทัดที่ 2
wrong_penalty,x| บรรทัดที่ 3: คะแนนที่หักต่อข้อผิด "x"
grade,4,80~grade,3.5,80~grade,0,0| บรรทัดที่ 4: เกรด 3.5 ที่ร้อยละ 80 ซ้อนกับเกรด 4 ที่ร้อยละ 80 ในบรรทัดที่ 3
grade,4,80~grade,3.5,85~grade,0,0| บรรทัดที่ 3: เกรด 4 ที่ร้อยละ 80 ซ้อนกับเกรด 3.5 ที่ร้อยละ 85 ในบรรทัดที่ 4
grade,4,101| บรรทัดที่ 3: ร้อยละ "101" ของเกรด 4 ไม่ใช่ตัวเลข 0 ถึง 100
grade,4,80|: ไม่มีเกรดของผู้ที่ได้ร้อยละ 0
2,"a| บรรทัดที่ 3: มีเครื่องหมายคำพูด
CASES
"$grade" --key "$s/key.txt" --plan "$work/plain.csv" --csv "$work/plain.csv" "$s/img001.tif" >/dev/null 2>"$work/err"
[[ $? == 2 ]] && grep -qF "would replace the scoring plan" "$work/err" || fail "the CSV replaced the plan: $(cat "$work/err")"
exit $failed
