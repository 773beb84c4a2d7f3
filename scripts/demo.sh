#!/usr/bin/env bash
# The main job: builds Vantrel, draws a set of sample answer sheets with a sample
# key, and grades them with vantrel-grade into a CSV, the results file, the item
# analysis, a workbook, the class report and a slip for every student; then hard scans with their review, and
# a few sheets as a 300-dpi copier PDF; last the same grader as one web page, vantrel.html.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
bash "$root/scripts/build.sh" "$build"
samples=$build/samples
rm -rf "$samples"
"$build/tools/sheet/vantrel-sheet" batch --count 30 --seed 2026 --out "$samples"
echo "Sample sheets, key and truth: $samples"
# A roster for the sample class: the IDs drawn, with made-up names.
awk -F, 'NR > 1 { printf "%s,นักเรียน %d,ม.3/1,%d\n", $2, NR - 1, NR - 1 }' "$samples/truth.csv" |
  { echo "id,name,class,number"; cat; } >"$samples/roster.csv"
"$build/tools/grade/vantrel-grade" --quiet --key "$samples/key.txt" --roster "$samples/roster.csv" \
  --csv "$samples/results.csv" --results "$samples/results.txt" --items "$samples/items.csv" \
  --xlsx "$samples/class.xlsx" --report "$samples/class-report.pdf" \
  --slips "$samples/slips.pdf" "$samples"/img*.tif
echo "CSV: $samples/results.csv   results file: $samples/results.txt"
echo "items: $samples/items.csv   workbook: $samples/class.xlsx   report: $samples/class-report.pdf   slips: $samples/slips.pdf"
# The class kept in its record, then re-scored from it alone with question 7's key changed.
"$build/tools/grade/vantrel-grade" --quiet --key "$samples/key.txt" --class "$samples/class.vantrel" \
  "$samples"/img*.tif
awk 'NR == 7 { print ($1 == "a" ? "b" : "a"); next } { print }' "$samples/key.txt" >"$samples/fixed-key.txt"
"$build/tools/grade/vantrel-grade" --quiet --key "$samples/fixed-key.txt" --class "$samples/class.vantrel" \
  --rescore --csv "$samples/rescored.csv"
echo "class record: $samples/class.vantrel   re-scored with a fixed key: $samples/rescored.csv"
# Hard scans as a feeder makes them (light pencil, pages turned, blur, noise): the
# sheets to check again are listed with both readings and pictured.
hard=$samples/hard
"$build/tools/sheet/vantrel-sheet" batch --count 8 --seed 7 --preset stress --out "$hard"
"$build/tools/grade/vantrel-grade" --key "$hard/key.txt" --csv "$hard/results.csv" \
  --review "$hard/review.txt" --review-images "$hard/review" "$hard"/img*.jpg
echo "Review: $hard/review.txt   pictures: $hard/review/"
# The doubts settled into the class record: question 1 of the first sheet as read on the paper
# (from the drawing's truth), every other disagreement by the second reading. The CSV's last
# columns, the report and the audit give the final reading and who settled what.
printf 'file,item,value,reason\n%s,q1,%s,seen on the paper\n' "$hard/img001.jpg" \
  "$(awk -F, 'NR == 2 { print ($6 == "" ? "-" : $6) }' "$hard/truth.csv")" >"$hard/resolve.csv"
"$build/tools/grade/vantrel-grade" --quiet --key "$hard/key.txt" --class "$hard/class.vantrel" \
  --accept second --resolve "$hard/resolve.csv" --csv "$hard/final.csv" --report "$hard/report.pdf" \
  --audit "$hard/audit.csv" "$hard"/img*.jpg
awk -F, 'NR > 1 { n++; left += $NF } END { printf "final reading: %d sheets, %d items still to check\n", n, left }' "$hard/final.csv"
echo "Final CSV: $hard/final.csv   audit: $hard/audit.csv   report with its page of changes: $hard/report.pdf"
# A class as classes fill the sheet (ticks, crosses, rings round letters, changed and erased
# answers, light and dark scans, folds, a page printed to fit or laid upside down): the second
# reading reads it, and the review names what a teacher would look at twice, and why.
class=$samples/classroom
"$build/tools/sheet/vantrel-sheet" batch --count 12 --seed 2026 --preset classroom --out "$class"
"$build/tools/grade/vantrel-grade" --quiet --key "$class/key.txt" --class "$class/class.vantrel" \
  --accept second --csv "$class/results.csv" --review "$class/review.txt" --xlsx "$class/class.xlsx" \
  "$class"/img*.jpg
python3 - "$class/review.txt" <<'PY'
import collections, csv, sys
reasons = collections.Counter(row["reason"].split(":")[0] for row in csv.DictReader(open(sys.argv[1], encoding="utf-8")))
for reason, count in reasons.most_common(8):
    print(f"{count:5d}  {reason}")
PY
echo "Classroom sheets: $class   review: $class/review.txt   items as a teacher reads them: $class/items.csv"
# A class as the office copier delivers it: a few sheets at 300 dpi in one PDF.
copier=$samples/copier
"$build/tools/sheet/vantrel-sheet" batch --count 4 --seed 2026 --dpi 300 --format jpg --out "$copier"
img2pdf "$copier"/img*.jpg -o "$copier/class.pdf"
"$build/tools/grade/vantrel-grade" --quiet --key "$copier/key.txt" --csv "$copier/results.csv" "$copier/class.pdf"
echo "Copier PDF: $copier/class.pdf   CSV: $copier/results.csv"
# The same grader as one web page that works offline, from a USB stick or any static server;
# the hard scans graded through it headless give vantrel-grade's CSV.
bash "$root/scripts/web-build.sh" "$root/build-web" >/dev/null
bash "$root/scripts/web-grade.sh" --page "$root/build-web/web/vantrel.html" --key "$hard/key.txt" \
  --csv "$hard/page.csv" "$hard"/img*.jpg
if cmp -s <(cut -d, -f2- "$hard/results.csv") <(cut -d, -f2- "$hard/page.csv"); then
  echo "The page's CSV equals vantrel-grade's: $hard/page.csv"
else
  echo "The page's CSV differs from vantrel-grade's: $hard/page.csv" >&2
  exit 1
fi
echo "The page: $root/build-web/web/vantrel.html (copy it anywhere and open it in a browser)"
