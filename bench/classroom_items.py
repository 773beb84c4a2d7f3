#!/usr/bin/env python3
"""Item by item, a graded classroom set against what a careful teacher reads there.

Usage: classroom_items.py SET_DIR RECORD.vantrel
SET_DIR holds items.csv and key.txt from `vantrel-sheet batch --preset classroom`; the
record is the class graded with `vantrel-grade --class`. Prints, per kind of mark and per
scan condition: items, second reading wrong, official wrong, ambiguous items named, clear
items named needlessly (both readings right), and wrong items not named; the last two of
ambiguous and wrong items count only what is named on its own line, not through a sheet's
"tilt", "mark" or "checked"; then the sheets on which the second reading is exact over the
clear items.
"""
import collections
import csv
import os
import sqlite3
import sys

set_dir, record = sys.argv[1], sys.argv[2]
key = [line.strip() for line in open(os.path.join(set_dir, "key.txt"), encoding="utf-8")]
key = [k for k in key[1:]] if key and not key[0][:1].islower() else key  # a title line first


def score(letters, answer):
    if not answer or answer[0] not in "abcde":
        return None
    if len(letters) >= 2:
        return "E"
    return "C" if letters == answer[0] else "W"


truth = collections.defaultdict(dict)
kinds = collections.defaultdict(dict)
for row in csv.DictReader(open(os.path.join(set_dir, "items.csv"), encoding="utf-8")):
    truth[row["file"]][row["item"]] = row["reads"]
    kinds[row["file"]][row["item"]] = row["kind"]
conditions = {}
scan_csv = os.path.join(set_dir, "scan.csv")
if os.path.exists(scan_csv):
    for row in csv.DictReader(open(scan_csv, encoding="utf-8")):
        tags = [row.get("tone") or "normal"]
        tags += [name for name in ("fold", "holes", "show_through", "edge_shadow", "perspective", "upside_down")
                 if row.get(name) == "1"]
        if row.get("print_scale") and float(row["print_scale"]) < 100:
            tags.append("scaled")
        conditions[row["file"]] = tags

db = sqlite3.connect(record)
# The set's own names: a copier's PDF page n is the set's n-th sheet; a TIFF made of a
# sheet keeps its name but for the extension.
set_names = {os.path.splitext(name)[0]: name for name in truth}
sheets = {}
for sid, path, page, page_count, eid, status in db.execute(
        "SELECT s.id, p.path, p.page, p.page_count, s.examinee_id, s.status FROM pages p JOIN sheets s ON s.id ="
        " (SELECT max(id) FROM sheets WHERE page_id = p.id)"):
    stem = os.path.splitext(os.path.basename(path))[0]
    if page_count > 1:
        stem = "img%03d" % (page + 1)
    sheets[set_names.get(stem, stem)] = (sid, eid, status)
named = collections.defaultdict(set)
reasons = {}
for sid, item, reason in db.execute("SELECT sheet_id, item, reason FROM review_items"):
    named[sid].add(item)
    reasons[(sid, item)] = reason
needless_reasons = collections.Counter()
sheet_level = {"tilt", "mark", "checked"}

stats = collections.defaultdict(collections.Counter)
exact_second = exact_first = graded = 0
for name, items in sorted(truth.items()):
    if name not in sheets:
        continue
    sid, eid, status = sheets[name]
    if status == "refused":
        stats["(refused)"]["sheets"] += 1
        continue
    graded += 1
    questions = {q: (first, second, score_first) for q, first, second, score_first in db.execute(
        "SELECT question, first_marked, second_marked, first_score FROM questions WHERE sheet_id = ?", (sid,))}
    digits = {c: d for c, d in db.execute("SELECT id_column, second_digit FROM id_columns WHERE sheet_id = ?", (sid,))}
    first_id = "%08d" % eid
    sheet_flag = bool(named[sid] & sheet_level)
    second_exact = first_exact = True
    for item, reads in items.items():
        if item.startswith("q"):
            q = int(item[1:])
            if q > len(key) or score("", key[q - 1]) is None or q not in questions:
                continue
            first_marked, second_marked, first_score = questions[q]
            want = None if reads == "?" else score(reads, key[q - 1])
            first_ok = want is not None and first_score == want
            second_ok = want is not None and score(second_marked, key[q - 1]) == want
        else:
            column = int(item.split(":")[1]) - 1
            want = None if reads == "?" else reads
            first_ok = want is not None and first_id[column] == want
            second_ok = want is not None and str(digits.get(column)) == want
        is_named = item in named[sid]
        for group in [kinds[name][item]] + ["cond:" + c for c in conditions.get(name, [])] + ["ALL"]:
            c = stats[group]
            c["items"] += 1
            if want is None:
                c["ambiguous"] += 1
                c["ambiguous_named"] += is_named or sheet_flag
                c["ambiguous_own"] += is_named
                continue
            c["second_wrong"] += not second_ok
            c["first_wrong"] += not first_ok
            c["needless"] += is_named and first_ok and second_ok
            if group == "ALL" and is_named and first_ok and second_ok:
                needless_reasons[reasons[(sid, item)].split(":")[0].split(",")[0]] += 1
            c["wrong_unnamed"] += (not second_ok or not first_ok) and not (is_named or sheet_flag)
            c["wrong_not_own"] += (not second_ok or not first_ok) and not is_named
        if want is not None:
            second_exact &= second_ok
            first_exact &= first_ok
    exact_second += second_exact
    exact_first += first_exact

print("%-18s %7s %7s %7s %9s %9s %8s %8s %8s %8s" % ("kind/condition", "items", "2nd-wr", "1st-wr", "ambig",
                                                     "amb-named", "needless", "unnamed", "amb-own", "unn-own"))
for group in sorted(stats):
    c = stats[group]
    print("%-18s %7d %7d %7d %9d %9d %8d %8d %8d %8d" % (group, c["items"], c["second_wrong"], c["first_wrong"],
                                                         c["ambiguous"], c["ambiguous_named"], c["needless"],
                                                         c["wrong_unnamed"], c["ambiguous_own"], c["wrong_not_own"]))
for reason, count in needless_reasons.most_common():
    print("  named needlessly %5d  %s" % (count, reason))
flagged = sum(1 for n in truth if n in sheets and named[sheets[n][0]])
print("sheets graded %d: second reading exact on %d (%.1f %%), official on %d; flagged %d" % (
    graded, exact_second, 100.0 * exact_second / max(graded, 1), exact_first, flagged))
