#!/usr/bin/env bash
# How much the review flags and whether it names every misread: COUNT sheets of each set
# drawn by vantrel-sheet batch (clean at drawn tilts and real turns of 0, 0.5 and 1 degree
# either way; stress; specks), graded by vantrel-grade --csv --review. Prints per set: sheets,
# sheets flagged, official misreads (ID or counts not as drawn), misreads the review does not
# name (neither a sheet-level item, tilt/mark/checked, nor every wrong ID column and question),
# misreads with a wrong ID column or question not named as an item of its own (whatever the
# sheet-level items), then what flagged the sheets, by item kind and reason.
# Usage: bash bench/review_flags.sh BUILD_DIR [COUNT] [SEED]   (KEEP=DIR keeps the sets there)
set -euo pipefail
build=${1:?build dir}
count=${2:-300}
seed=${3:-1}
work=${KEEP:-$(mktemp -d)}
[ -n "${KEEP:-}" ] || trap 'rm -rf "$work"' EXIT
sets=(
    "clean-0|--max-tilt 0"
    "tilt-0.5|--max-tilt 0.5"
    "tilt-1|--max-tilt 1"
    "turn-0.5|--max-tilt 0 --rotate 0.5"
    "turn-1|--max-tilt 0 --rotate 1"
    "both-1|--max-tilt 1 --rotate 1"
    "stress|--preset stress"
    "speck|--speck"
    "stress-speck|--preset stress --speck"
)
printf '%-13s %6s %8s %9s %10s %12s\n' set sheets flagged misreads not-named not-itemized
for entry in "${sets[@]}"; do
    name=${entry%%|*}
    dir=$work/$name
    # A kept set is drawn once and graded again by each build measured.
    # shellcheck disable=SC2086 # the options are words
    [ -e "$dir/truth.csv" ] || "$build/tools/sheet/vantrel-sheet" batch --count "$count" --seed "$seed" \
        --out "$dir" --force ${entry#*|} >/dev/null
    rm -f "$dir/out.csv" "$dir/review.csv"
    "$build/tools/grade/vantrel-grade" --key "$dir/key.txt" --quiet --csv "$dir/out.csv" \
        --review "$dir/review.csv" "$dir"/img* >/dev/null 2>&1 || true
    awk -F, -v name="$name" -v reviewfile="$dir/review.csv" '
        FILENAME ~ /key.txt$/ { gsub(/[ \r]/, ""); key[FNR] = $0; next }
        FILENAME ~ /truth.csv$/ {
            if (FNR == 1) next
            id[$1] = $2; counts[$1] = $3 "/" $4 "/" $5
            for (q = 1; q <= 100; ++q) {
                m = $(5 + q)
                truth[$1, q] = length(m) >= 2 ? "E" : (m == key[q] && m != "" ? "C" : "W")
            }
            next
        }
        FNR == 1 { for (c = 1; c <= NF; ++c) col[$c] = c; next }
        {
            file = $1; sub(/.*\//, "", file); ++sheets
            list = ";" $(col["review"]) ";"
            if (list != ";;") ++flagged
            if ($(col["status"]) != "reported") next
            if ($2 == id[file] && $3 "/" $4 "/" $5 == counts[file]) next
            ++misreads
            sheetwide = list ~ /;(tilt|mark|checked);/
            named = 1
            for (d = 1; d <= 8; ++d)
                if (substr($2, d, 1) != substr(id[file], d, 1) && index(list, ";id:" d ";") == 0) {
                    named = 0; items = items " id:" d
                }
            for (q = 1; q <= 100; ++q)
                if ($(col["q" q]) != truth[file, q] && index(list, ";q" q ";") == 0) {
                    named = 0; items = items " q" q
                }
            if (!named) ++unitemized
            if (!named && !sheetwide) { ++unnamed; missed = missed " " file "(" substr(items, 2) ")" }
            items = ""
        }
        END {
            printf "%-13s %6d %8d %9d %10d %12d%s\n", name, sheets, flagged, misreads, unnamed, unitemized, missed
            while ((getline line < reviewfile) > 0) {
                if (line ~ /^file,/) continue
                split(line, f, ",")
                kind = f[2]; sub(/[0-9]+$/, "", kind)
                reason = line; sub(/^.*,"?/, "", reason) # the last field; those with a comma are quoted
                if (line ~ /"$/) { reason = line; sub(/^.*,"/, "", reason); sub(/"$/, "", reason) }
                gsub(/[0-9.]+/, "N", reason)
                ++why[kind " " reason]
            }
            for (w in why) printf "    %5d  %s\n", why[w], w
        }' "$dir/key.txt" "$dir/truth.csv" "$dir/out.csv"
done
