#!/usr/bin/env bash
# Sheets filled as classes fill them, drawn with their truth: the second reading reads the
# clear items as a careful teacher does, and the review names what it reads wrong and what
# that teacher would look at twice. Each row is a kind of mark (or a mix) on a kind of scan or page.
set -uo pipefail
sheet=$VANTREL_SHEET
grade=$VANTREL_GRADE
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

# The second reading of every item and whether the review names it: file,item,value,named.
readings() {
    sqlite3 -csv "$1" "
        WITH latest AS (SELECT s.id, p.path FROM pages p JOIN sheets s ON s.id = (SELECT max(id) FROM sheets WHERE page_id = p.id))
        SELECT l.path, 'q' || q.question, q.second_marked,
               EXISTS(SELECT 1 FROM review_items r WHERE r.sheet_id = l.id AND (r.item = 'q' || q.question OR r.item IN ('tilt', 'mark')))
        FROM latest l JOIN questions q ON q.sheet_id = l.id
        UNION ALL
        SELECT l.path, 'id:' || (c.id_column + 1), c.second_digit,
               EXISTS(SELECT 1 FROM review_items r WHERE r.sheet_id = l.id AND (r.item = 'id:' || (c.id_column + 1) OR r.item IN ('tilt', 'mark')))
        FROM latest l JOIN id_columns c ON c.sheet_id = l.id"
}

# name | vantrel-sheet batch options (two sheets each)
row=0
while IFS='|' read -r name options; do
    s=$work/set$((++row))
    "$sheet" batch --count 2 --seed $((row + 40)) --out "$s" --format jpg $options >/dev/null || { fail "$name: batch"; continue; }
    "$grade" --key "$s/key.txt" --quiet --class "$s.vantrel" "$s"/img*.jpg >/dev/null 2>&1
    [[ $? == 2 ]] && { fail "$name: grading failed"; continue; }
    # Against items.csv (file,item,kind,reads): every item read wrong is named (nothing silently
    # wrong), at most one in fifty of the row's clear items are, and nine in ten of its ambiguous
    # ones are named.
    verdict=$(awk -F, 'NR == FNR { gsub(/"/, ""); sub(".*/", "", $1); value[$1 "," $2] = $3; named[$1 "," $2] = $4; next }
        FNR > 1 { k = $1 "," $2
            if (!(k in value)) { print "not read: " k; next }
            if ($4 == "?") { ++ambiguous; if (!named[k]) { ++unnamed; last = k " (" $3 ")" } }
            else if (++clear && value[k] != $4) { ++wrong; if (!named[k]) print "read " value[k] " for " $4 ", not named: " k " (" $3 ")" } }
        END { if (wrong * 50 > clear) print wrong " of " clear " clear items read wrong"
              if (unnamed * 10 > ambiguous) print unnamed " of " ambiguous " ambiguous items not named, as " last }' \
        <(readings "$s.vantrel") "$s/items.csv" | head -n 5)
    [[ -z $verdict ]] || fail "$name: $verdict"
done <<'CASES'
fills|--marks neat,partial,offcentre,heavy,ballpoint
fills, light scan|--marks neat,partial,offcentre,heavy --tone light
fills, dark scan|--marks neat,partial,offcentre,heavy --tone dark
ticks and crosses|--marks tick,cross,neat
ticks and crosses, light scan|--marks tick,cross,neat --tone light
faint pencil|--marks faint,neat,faint
rings round letters|--marks circle,neat
changed and erased answers|--marks changed,erased,neat
changed and erased answers, dark scan|--marks changed,erased,neat --tone dark
two marks in a row|--marks double,neat
upside down|--upside-down --marks neat,tick
printed to fit the page|--print-scale 95 --marks neat,changed
folded, punched, shadowed, shown through|--page-defects fold,holes,show-through,shadow,perspective
a class's mix|--preset classroom
CASES
exit $failed
