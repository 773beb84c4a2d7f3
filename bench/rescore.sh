#!/usr/bin/env bash
# Re-scoring a class from its record against grading it: COUNT sheets (copies of 100
# drawn stress scans: a hard link would be one file, graded once) graded with --class and
# --csv, then re-scored from the record with --rescore and --csv, three times. Prints the
# grading's wall-clock time, the re-scores' median and their ratio (target <= 1/20); then
# the same once every disagreement is settled (--accept second: thousands of events).
# Usage: bash bench/rescore.sh BUILD_DIR [COUNT]
set -euo pipefail
build=${1:?build dir}
count=${2:-1000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/tools/sheet/vantrel-sheet" batch --count 100 --seed 11 --preset stress --out "$work/drawn" >/dev/null
mkdir "$work/class"
for i in $(seq "$count"); do
    cp "$work/drawn/img$(printf %03d $(((i - 1) % 100 + 1))).jpg" "$work/class/s$(printf %05d "$i").jpg"
done
grade=$build/tools/grade/vantrel-grade
seconds() { local start=$(date +%s.%N); "$@" >/dev/null 2>&1 || true; echo "$(date +%s.%N) - $start" | bc; }
graded=$(seconds "$grade" --key "$work/drawn/key.txt" --quiet --class "$work/c.vantrel" --csv "$work/g.csv" "$work"/class/*.jpg)
rescore() {
    for _ in 1 2 3; do
        seconds "$grade" --key "$work/drawn/key.txt" --quiet --class "$work/c.vantrel" --rescore --csv "$work/r.csv"
    done | sort -n | sed -n 2p
}
rescored=$(rescore)
cmp -s "$work/g.csv" "$work/r.csv" || echo "the re-scored CSV differs from the graded one" >&2
printf '%d sheets: graded %.2f s, re-scored %.3f s, ratio 1/%.0f\n' "$count" "$graded" "$rescored" \
    "$(echo "$graded / $rescored" | bc -l)"
"$grade" --key "$work/drawn/key.txt" --quiet --class "$work/c.vantrel" --rescore --accept second >/dev/null 2>&1 || true
events=$(sqlite3 "$work/c.vantrel" "SELECT count(*) FROM resolutions")
settled=$(rescore)
printf '%d sheets with %d resolutions: re-scored %.3f s, ratio 1/%.0f\n' "$count" "$events" "$settled" \
    "$(echo "$graded / $settled" | bc -l)"
