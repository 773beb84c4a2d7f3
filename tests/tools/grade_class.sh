#!/usr/bin/env bash
# A drawn class graded with its roster, item analysis, workbook, report and slips: every figure of
# the items file worked again here from the CSV's per-question columns; the roster's
# findings; the workbook read back and held against the CSV; and a key with one wrong
# answer flagged on that question alone.
set -uo pipefail
sheet=$VANTREL_SHEET
grade=$VANTREL_GRADE
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

s=$work/s
"$sheet" batch --count 45 --seed 4545 --format jpg --out "$s" >/dev/null || fail "sheet batch"
"$grade" --key "$s/key.txt" --quiet --csv "$work/plain.csv" "$s"/img*.jpg >/dev/null 2>&1
# A page that is no answer sheet is refused and moves no figure of the class.
convert -size 827x1169 xc:black "$work/black.png"
"$grade" --key "$s/key.txt" --quiet --items "$work/i.csv" --slips "$work/black.pdf" "$s"/img*.jpg "$work/black.png" \
    >/dev/null 2>"$work/i.err" && fail "an all-black page should exit 1"
[[ $(pdftotext "$work/black.pdf" - | tr -d ' \n') != *00000000* ]] || fail "a refused page's slip shows an ID it never read"
"$grade" --key "$s/key.txt" --quiet --items "$work/plain-items.csv" "$s"/img*.jpg >/dev/null 2>"$work/plain.err"
cmp -s "$work/i.csv" "$work/plain-items.csv" && diff <(tail -1 "$work/i.err" | grep -o 'correct:.*') \
    <(tail -1 "$work/plain.err" | grep -o 'correct:.*') >/dev/null || fail "an all-black page moved the class's figures"
# The roster: the sheets' IDs but img045's (one digit off), and two absent students; semicolons and a BOM.
cp "$s/img001.jpg" "$s/again.jpg"
awk -F, 'NR > 1 { id = $2; if ($1 ~ /img045/) id = substr(id, 1, 7) (substr(id, 8) + 1) % 10
    printf "%s;นักเรียน %d;ม.3/1\n", id, NR - 1 }' "$work/plain.csv" >"$work/rows"
{ printf '\xEF\xBB\xBFid;name;class\r\n'; cat "$work/rows"; printf '99999998;ขาด หนึ่ง;ม.3/1\n99999997;ขาด สอง;ม.3/1\n'; } >"$work/roster.csv"
# Under an English locale every text is English, as the lines below expect.
LANG=en_US.UTF-8 "$grade" --key "$s/key.txt" --quiet --roster "$work/roster.csv" --csv "$work/c.csv" --csv-excel \
    --items "$work/items.csv" --xlsx "$work/c.xlsx" --report "$work/c.pdf" \
    --slips "$work/slips.pdf" "$s"/img*.jpg "$s/again.jpg" >/dev/null 2>"$work/c.err" ||
    fail "grading the class: $(cat "$work/c.err")"
[[ $(head -c 3 "$work/c.csv" | od -An -tx1 | tr -d ' ') == efbbbf ]] || fail "--csv-excel should start with a BOM"
sed -i '1s/^\xEF\xBB\xBF//' "$work/c.csv"
cut -d, -f1-211,213- "$work/c.csv" | cmp -s - <(cat "$work/plain.csv" <(sed -n 2p "$work/plain.csv" | sed 's#img001#again#')) ||
    fail "the roster changed the CSV's own columns"
off=$(awk -F, '/img045/ { print $2 }' "$work/plain.csv")
for line in "roster: 47 students, 45 sheets on it, 1 IDs not on it, 3 students with no sheet, 1 IDs on more than one sheet" \
    "not on the roster: $s/img045.jpg: ID $off is not on the roster; one digit from $(grep -o "^[0-9]*;นักเรียน 45" "$work/rows" | tr ';' ' ')" \
    "no sheet: 99999998 ขาด หนึ่ง" "twice: ID $(awk -F, '/img001/ { print $2 }' "$work/plain.csv") is on 2 sheets: $s/img001.jpg, $s/again.jpg"; do
    grep -qxF "$line" "$work/c.err" || fail "summary should say: $line; it said: $(cat "$work/c.err")"
done

# The Debian python3, for which python3-openpyxl is installed.
/usr/bin/python3 - "$s/key.txt" "$work/c.csv" "$work/items.csv" "$work/c.xlsx" <<'PY' || fail "items or workbook differ from the CSV"
import csv, math, sys, openpyxl
key = [l.strip() for l in open(sys.argv[1])]
all_rows = list(csv.DictReader(open(sys.argv[2])))
rows = [r for r in all_rows if r["status"] != "refused"]
keyed = [q for q in range(1, 101) if q <= len(key) and key[q - 1] in list("abcde")]
totals = [sum(r[f"q{q}"] == "C" for q in keyed) for r in rows]
n = len(rows); mean = sum(totals) / n
sd = math.sqrt(sum((t - mean) ** 2 for t in totals) / n)
order = sorted(range(n), key=lambda i: -totals[i]); g = max(1, round(0.27 * n))
upper, lower = order[:g], order[-g:]
items = list(csv.reader(open(sys.argv[3])))
header = "question,key,difficulty,discrimination,point_biserial,a,b,c,d,e,blank,rejected,flag".split(",")
assert items[0] == header and len(items) - 1 == len(keyed), (items[0], len(items))
for q, line in zip(keyed, items[1:]):
    x = [r[f"q{q}"] == "C" for r in rows]; p = sum(x) / n
    d = (sum(x[i] for i in upper) - sum(x[i] for i in lower)) / g
    pb = (sum(t for t, c in zip(totals, x) if c) / sum(x) - mean) / sd * math.sqrt(p / (1 - p))
    m = [r[f"m{q}"] for r in rows]
    counts = [sum(l in v for v in m) for l in "abcde"]
    counts += [sum(v == "" and r[f"q{q}"] != "E" for v, r in zip(m, rows)), sum(r[f"q{q}"] == "E" for r in rows)]
    assert line[:2] == [str(q), key[q - 1]] and [int(v) for v in line[5:12]] == counts, (q, line, counts)
    assert all(abs(w - float(h)) < 6e-5 for w, h in zip([p, d, pb], line[2:5])), (q, line, p, d, pb)

book = openpyxl.load_workbook(sys.argv[4])
assert book.sheetnames == ["Scores", "Answers", "Items", "Summary"], book.sheetnames
scores, answers, itemsheet = book["Scores"], book["Answers"], book["Items"]
assert all(s.freeze_panes == "A2" for s in book), [s.freeze_panes for s in book]
code = lambda v: v[v.rfind("(") + 1:-1] if v.endswith(")") else v  # "Correct (correct)": the name a script takes
assert [code(c.value) for c in scores[1]] == "file,examinee_id,name,class,correct,wrong,error,percent,review".split(",")
assert len(all_rows) == scores.max_row - 1 == answers.max_row - 1
for r, (row, sc, an) in enumerate(zip(all_rows, scores.iter_rows(min_row=2), answers.iter_rows(min_row=2))):
    v = [c.value for c in sc]
    assert sc[1].data_type == "s" and v[1] == row["examinee_id"], (v, row["examinee_id"])
    assert v[0] == row["file"] and (v[2] or "") == row["name"], (v, row["name"])
    assert v[4:7] == [int(row[k]) for k in ("correct", "wrong", "error")], v
    assert abs(v[7] - 100 * int(row["correct"]) / len(keyed)) < 1e-9, v
    assert (v[2] is None) == ("ไม่อยู่ในรายชื่อนักเรียน" in (v[8] or "")), v
    assert ("อยู่ใน 2 แผ่น" in (v[8] or "")) == (row["file"].endswith(("img001.jpg", "again.jpg"))), v
    for q in range(1, 101):
        cell = an.__getitem__(2 + q)
        assert (cell.value or "") == row[f"m{q}"], (q, cell.value, row[f"m{q}"])
        shaded = cell.fill.fgColor.rgb not in (None, "00000000")
        assert shaded == (row[f"q{q}"] in ("W", "E")), (r, q, cell.fill.fgColor.rgb, row[f"q{q}"])
assert [code(c.value) for c in itemsheet[1]] == header
for line, xl in zip(items[1:], itemsheet.iter_rows(min_row=2, values_only=True)):
    assert [str(xl[0]), xl[1]] + [str(v) for v in xl[5:12]] + [xl[12] or ""] == line[:2] + line[5:], (line, xl)
    assert all(abs(float(a) - b) < 6e-5 for a, b in zip(line[2:5], xl[2:5])), (line, xl)
widths = [scores.column_dimensions[c].width for c in "ABCI"]
assert all(w and w > 8 for w in widths), widths
PY
# The report: summary, three pages of 100 items, two of 46 scores; its fonts embedded.
[[ $(pdfinfo "$work/c.pdf" 2>/dev/null | awk '/^Pages:/ { print $2 }') == 6 ]] || fail "the report should have 6 pages"
pdffonts "$work/c.pdf" | awk 'NR > 2 && $(NF - 4) != "yes" { exit 1 }' || fail "report fonts not embedded"
[[ $(pdftotext "$work/c.pdf" -) == *"ขาด สอง"* ]] || fail "the report should name the absent students"
grep -q "^items: 100 questions over 46 sheets; mean" "$work/c.err" || fail "no item summary: $(cat "$work/c.err")"
# The slips: 46 sheets three to a page, each with its student's name and ID.
[[ $(pdfinfo "$work/slips.pdf" 2>/dev/null | awk '/^Pages:/ { print $2 }') == 16 ]] || fail "the slips should fill 16 pages"
# pdftotext breaks Thai words at their vowel marks, so spaces and line ends are left out.
slips=$(pdftotext "$work/slips.pdf" - | tr -d ' \n')
for n in 1 23 44; do
    id=$(awk -F, -v n=$n 'NR == n + 1 { print $2 }' "$work/plain.csv")
    [[ $slips == *"นักเรียน${n}ม.3/1"* && $slips == *"$id"* ]] || fail "no slip names student $n ($id)"
done
# One ✗ for every question not scored (img001 twice, as again.jpg), and one in each slip's legend.
crosses=$(grep -o "✗" <<<"$slips" | wc -l)
expected=$(awk -F, 'NR > 1 { n += $4 + $5 + 1; if ($1 ~ /img001/) n += $4 + $5 + 1 } END { print n }' "$work/plain.csv")
[[ $crosses == "$expected" ]] || fail "the slips mark $crosses questions and legends, the CSV makes $expected"
# img045's ID is not on the roster: its slip still comes, with the ID it read.
for id in $(awk -F, '$1 ~ /img045/ { print $2 }' "$work/plain.csv"); do
    [[ $slips == *"$id"* ]] || fail "no slip for the ID off the roster ($id)"
done
# Asked for alone, the report is still drawn.
"$grade" --key "$s/key.txt" --quiet --report "$work/alone.pdf" "$s"/img00*.jpg >/dev/null 2>&1
[[ $(pdfinfo "$work/alone.pdf" 2>/dev/null | awk '/^Pages:/ { print $2 }') -ge 3 ]] || fail "--report alone gave no report"

# Question 7 keyed with a letter the strong sheets did not choose: flagged, and no other.
awk 'NR == 7 { print ($1 == "a" ? "b" : "a"); next } { print }' "$s/key.txt" >"$work/wrong.txt"
"$grade" --key "$work/wrong.txt" --quiet --items "$work/wrong.csv" "$s"/img0*.jpg >/dev/null 2>&1
"$grade" --key "$s/key.txt" --quiet --items "$work/right.csv" "$s"/img0*.jpg >/dev/null 2>&1
flagged() { awk -F, '$13 == "check the key" { printf "%s ", $1 }' "$1"; }
[[ $(flagged "$work/right.csv") == "" ]] || fail "the true key flagged: $(flagged "$work/right.csv")"
[[ $(flagged "$work/wrong.csv") == "7 " ]] || fail "the wrong key should flag question 7 alone: $(flagged "$work/wrong.csv")"
# Doubtful sheets: the workbook's review column and the report tell the teacher in Thai,
# without the CSV's codes; an English locale gives English.
h=$work/hard
"$sheet" batch --count 8 --seed 22 --preset stress --out "$h" >/dev/null || fail "sheet batch stress"
"$grade" --key "$h/key.txt" --quiet --csv "$h/c.csv" --xlsx "$h/c.xlsx" --report "$h/c.pdf" "$h"/img*.jpg >/dev/null 2>&1
LANG=en_US.UTF-8 "$grade" --key "$h/key.txt" --quiet --xlsx "$h/e.xlsx" "$h"/img*.jpg >/dev/null 2>&1
grep -q ',q[0-9]*\|tilt\|id:' "$h/c.csv" || fail "the stress sheets should hold doubts"
raw='tilt|id:|;q[0-9]|light mark|readings differ|refused:|items:'
for text in "$(unzip -p "$h/c.xlsx" xl/sharedStrings.xml)" "$(pdftotext "$h/c.pdf" - | tr -d '\n')"; do
    [[ $text == *"ควรตรวจสอบ"* ]] || fail "no Thai review in: ${text:0:300}"
    grep -Eq "$raw" <<<"$text" && fail "a raw code reached the teacher: $(grep -Eo "$raw" <<<"$text" | head -3)"
done
[[ $(unzip -p "$h/e.xlsx" xl/sharedStrings.xml) == *"to check: "* ]] || fail "the English locale should give English"
# Hostile names: a formula reaches the CSV as text, a control character reaches nothing.
ids=($(awk -F, 'NR > 1 && NR <= 7 { print $2 }' "$work/plain.csv"))
{ printf 'id,name\n%s,"=HYPERLINK(""http://x"",""y"")"\n%s,+1\n%s,-2\n%s,@SUM(A1)\n' "${ids[@]:0:4}"
    printf '%s,\x1b[31mRed\n%s,Nul\0Byte\n99999990,\x1b]0;Gone\a\xc2\x9b\n' "${ids[@]:4:2}"; } >"$work/hostile.csv"
"$grade" --key "$s/key.txt" --roster "$work/hostile.csv" --csv "$work/h.csv" --xlsx "$work/h.xlsx" \
    --report "$work/h.pdf" --slips "$work/hs.pdf" "$s"/img00[1-6].jpg >"$work/h.out" 2>"$work/h.err"
grep -qxF "no sheet: 99999990 ]0;Gone" "$work/h.err" || fail "the absent student's name, cleaned: $(cat "$work/h.err")"
pdftotext "$work/h.pdf" "$work/h.txt" && pdftotext "$work/hs.pdf" "$work/hs.txt"
for f in h.out h.err h.csv h.txt hs.txt; do
    [[ -s $work/$f ]] && ! LC_ALL=C grep -qaP '[\x00-\x08\x0b\x0e-\x1f\x7f]|\xc2[\x80-\x9f]' "$work/$f" ||
        fail "$f is missing or holds a control character"
done
/usr/bin/python3 - "$work/h.csv" "$work/h.xlsx" <<'PY' || fail "hostile names in the CSV or the workbook"
import csv, sys, openpyxl
names = ['=HYPERLINK("http://x","y")', "+1", "-2", "@SUM(A1)", "[31mRed", "NulByte"]
assert [r["name"] for r in csv.DictReader(open(sys.argv[1]))] == [("'" if n[0] in "=+-@" else "") + n for n in names]
cells = [r[2] for r in openpyxl.load_workbook(sys.argv[2]).worksheets[0].iter_rows(min_row=2)]
assert sorted(c.value for c in cells) == sorted(names) and {c.data_type for c in cells} == {"s"}, cells
PY
# A class list that would lose students is refused with its line, before anything is written.
printf 'id,name\r%s,A\r\r%s,B\r' "${ids[@]:0:2}" >"$work/cr.csv"
"$grade" --key "$s/key.txt" --quiet --roster "$work/cr.csv" "$s"/img00[1-2].jpg >/dev/null 2>"$work/cr.err"
grep -q "^roster: 2 students, 2 sheets on it" "$work/cr.err" || fail "lone-CR lines are lines: $(cat "$work/cr.err")"
for bad in 'id,name\r\n:มีแต่หัวตาราง' ':เป็นไฟล์ว่าง' 'id,name\n1,A\n2,"B\n3,C:บรรทัดที่ 3: มีเครื่องหมายคำพูด'; do
    printf "${bad%%:*}" >"$work/bad.csv"
    "$grade" --key "$s/key.txt" --roster "$work/bad.csv" --csv "$work/bad-out.csv" "$s/img001.jpg" >/dev/null 2>"$work/bad.err"
    [[ $? == 2 && ! -e $work/bad-out.csv ]] && grep -qF "${bad#*:}" "$work/bad.err" ||
        fail "the roster ${bad%%:*} should be refused: $(cat "$work/bad.err")"
done
exit $failed
