#!/usr/bin/env bash
# Killing the grader part-way never harms its class record: COUNT sheets (half clean, half
# --preset stress) graded into one record with --class, killed KILLS times at random moments
# spread over the run (every third kill a SIGTERM, the others SIGKILL). After each kill the
# record must pass PRAGMA integrity_check and hold no fewer sheets than before; the same
# command then runs again. At the end one more run must complete the record, grading no
# sheet twice, and its CSV (--rescore --csv) must equal an uninterrupted run's.
# Not run by ctest: it draws 2,000 sheets and takes some minutes.
# Usage: bash bench/record_kill.sh BUILD_DIR [COUNT] [KILLS] [SEED]
set -uo pipefail
build=${1:?build dir}
count=${2:-2000}
kills=${3:-20}
RANDOM=${4:-7}
sheet=$build/tools/sheet/vantrel-sheet
grade=$build/tools/grade/vantrel-grade
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
faults=0
fault() { echo "FAULT: $*"; faults=$((faults + 1)); }

half=$((count / 2))
"$sheet" batch --count "$half" --seed 31 --format jpg --out "$work/clean" >/dev/null || exit 2
"$sheet" batch --count "$((count - half))" --seed 32 --preset stress --out "$work/stress" >/dev/null || exit 2
key=$work/stress/key.txt # one key for the class; the clean sheets simply score lower
sheets=("$work"/clean/img*.jpg "$work"/stress/img*.jpg)
# Every run is the same command but for the record and the outputs.
grade_into() { "$grade" --key "$key" --quiet --class "$1" "${@:2}" "${sheets[@]}" >/dev/null 2>&1; }
# Read-only, so that checking a record does not fold its write-ahead log in for the next run.
ask() { sqlite3 -readonly "$1" "$2" 2>&1; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }

start=$(now_ms)
grade_into "$work/whole.vantrel" --csv "$work/whole.csv"
whole_status=$?
whole_ms=$(($(now_ms) - start))
printf '%d sheets (%d clean, %d stress), uninterrupted run: %.1f s, exit %d\n' \
    "$count" "$half" "$((count - half))" "$(echo "$whole_ms / 1000" | bc -l)" "$whole_status"

record=$work/killed.vantrel
held=0
sound=0
finished_first=0
for k in $(seq "$kills"); do
    # A random moment in twice the expected share of the remaining run, plus the start-up:
    # the kills land all along the run, before the record is open as well as mid-sheet.
    span=$((2 * whole_ms * (count - held) / count / (kills - k + 1) + 150))
    delay=$(((RANDOM * 32768 + RANDOM) % span))
    signal=KILL
    ((k % 3 == 0)) && signal=TERM
    "$grade" --key "$key" --quiet --class "$record" "${sheets[@]}" >/dev/null 2>&1 &
    pid=$! # the grader itself: a kill of a shell around it would leave the grader running
    sleep "$(echo "$delay / 1000" | bc -l)"
    kill -s "$signal" "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    status=$?
    if [[ ! -e $record ]]; then
        printf 'kill %2d: SIG%-4s after %5d ms, exit %3d: no record yet\n' "$k" "$signal" "$delay" "$status"
        sound=$((sound + 1))
        continue
    fi
    integrity=$(ask "$record" 'PRAGMA integrity_check')
    [[ $integrity == ok ]] && sound=$((sound + 1)) || fault "kill $k: integrity_check says: $integrity"
    now=$(ask "$record" 'SELECT count(*) FROM sheets')
    [[ $now =~ ^[0-9]+$ && $now -ge $held ]] || fault "kill $k: the record held $held sheets, now $now"
    [[ $status -lt 128 ]] && finished_first=$((finished_first + 1))
    printf 'kill %2d: SIG%-4s after %5d ms, exit %3d: integrity %s, %4s sheets in the record\n' \
        "$k" "$signal" "$delay" "$status" "$integrity" "$now"
    [[ $now =~ ^[0-9]+$ ]] && held=$now
done

grade_into "$record"
status=$?
[[ $status == "$whole_status" ]] || fault "the completing run exited $status, the uninterrupted one $whole_status"
read -r rows pages graded_pages <<<"$(ask "$record" \
    'SELECT (SELECT count(*) FROM sheets), (SELECT count(*) FROM pages), (SELECT count(DISTINCT page_id) FROM sheets)' | tr '|' ' ')"
[[ $rows == "$count" && $pages == "$count" && $graded_pages == "$count" ]] ||
    fault "the completed record holds $rows sheets of $graded_pages pages, $pages pages listed; $count expected, each once"
for name in whole killed; do
    "$grade" --key "$key" --quiet --class "$work/$name.vantrel" --rescore --csv "$work/$name-re.csv" >/dev/null 2>&1
done
if cmp -s "$work/killed-re.csv" "$work/whole-re.csv" && cmp -s "$work/killed-re.csv" "$work/whole.csv"; then
    equal="equal byte for byte"
elif cmp -s <(sort "$work/killed-re.csv") <(sort "$work/whole-re.csv"); then
    equal="the same rows in another order"
else
    equal="different"
    fault "the re-scored CSVs differ: $(diff "$work/killed-re.csv" "$work/whole-re.csv" | head -c 600)"
fi
printf '%d kills (%d landed before the run ended), %d records sound after them; completed: %s sheets, %s pages;' \
    "$kills" "$((kills - finished_first))" "$sound" "$rows" "$pages"
printf ' CSV against the uninterrupted run: %s\n' "$equal"
[[ $faults == 0 ]] && echo "no fault" || echo "$faults faults"
exit $((faults > 0))
