#!/usr/bin/env bash
# Measures what grading costs against the bare libjpeg-turbo decode of the same
# files, as ratios taken in one run so that a busy machine skews both sides alike:
#   - per sheet (CPU time of one thread): the engine's work (prepare, measure,
#     grade), the second reading, loading the whole page and only its reading band
#     (as the batch grader does), and the whole pipeline, each over the bare decode;
#   - batch throughput (wall clock): vantrel-grade --jobs 2 over bare decoding with
#     two threads, and --jobs 2 over --jobs 1; these hold only while both cores are
#     free, which the bare decode's own two-thread speed-up (decode2/decode1) shows;
#   - peak memory (max RSS) of vantrel-grade on 2,000 sheets over 100 sheets.
# The sheets: 100 drawn by vantrel-sheet (100 dpi A4, 827 x 1169), saved as JPEG
# at quality 85, and copies of them up to 2,000 files (not links: vantrel-grade grades
# one file named twice once).
#
#   bash bench/throughput.sh [BUILD_DIR] [ROUNDS] [NOISE]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
rounds=${2:-3}
noise=${3:-0}
sheet=$build/tools/sheet/vantrel-sheet
grade=$build/tools/grade/vantrel-grade
stages=$build/bench/bench_sheet_stages
decode=$build/bench/bench_batch_decode
for tool in "$sheet" "$grade" "$stages" "$decode"; do
    [[ -x $tool ]] || { echo "build $tool first (cmake --build $build)" >&2; exit 2; }
done
command -v mogrify >/dev/null || { echo "needs ImageMagick's mogrify" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "drawing 100 sheets (noise $noise) and saving them as JPEG at quality 85 ..." >&2
"$sheet" batch --count 100 --seed 11 --format tif --noise "$noise" --out "$work/tif" >/dev/null
mkdir -p "$work/100" "$work/2000"
mogrify -path "$work/100" -format jpg -quality 85 "$work"/tif/*.tif
cp "$work/tif/key.txt" "$work/100/key.txt"
cp "$work/tif/key.txt" "$work/2000/key.txt"
rm -rf "$work/tif"
for i in $(seq 1 2000); do
    cp "$work/100/img$(printf %03d $(((i - 1) % 100 + 1))).jpg" "$work/2000/sheet$(printf %04d "$i").jpg"
done

# The value of one column for one benchmark of Google Benchmark's CSV output.
column() { # file name field
    awk -F, -v name="\"$2\"" -v field="$3" '$1 == name { print $field }' "$1"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }

# Sheets per second of wall clock and max RSS (KiB) of one vantrel-grade run.
grade_run() { # jobs folder
    local sheets=("$work/$2"/*.jpg)
    /usr/bin/time -f "%e %M" -o "$work/time.txt" "$grade" --key "$work/$2/key.txt" --jobs "$1" --quiet \
        --csv "$work/out.csv" --results "$work/out.txt" "${sheets[@]}" >/dev/null 2>&1 || true
    read -r seconds rss <"$work/time.txt"
    awk -v n=${#sheets[@]} -v s="$seconds" -v rss="$rss" 'BEGIN { printf "%.1f %d", n / s, rss }'
}

printf "%-6s %14s %14s %14s %14s %14s %16s %14s %14s %15s\n" round engine/decode second/decode load/decode \
    band/decode whole/decode \
    "grade2/decode2" grade2/grade1 rss2000/rss100 decode2/decode1
results=()
for round in $(seq 1 "$rounds"); do
    # Repetitions in random order, so that a change in the machine's load falls on
    # every stage alike; the medians count.
    "$stages" --sheets="$work/100" --benchmark_min_time=0.3 --benchmark_repetitions=5 \
        --benchmark_enable_random_interleaving=true --benchmark_out="$work/stages.csv" \
        --benchmark_out_format=csv >/dev/null 2>&1
    median() { column "$work/stages.csv" "BM_$1/manual_time_median" 3; }
    bare=$(median BareDecode)
    engine=$(ratio "$(median EngineWork)" "$bare")
    second=$(ratio "$(median SecondReading)" "$bare")
    load=$(ratio "$(median LoadFromFile)" "$bare")
    band=$(ratio "$(median LoadReadingBand)" "$bare")
    whole=$(ratio "$(median WholeSheet)" "$bare")

    # The grader's two runs close around the decoding they are held against.
    read -r grade1 _ <<<"$(grade_run 1 2000)"
    "$decode" --sheets="$work/2000" --benchmark_min_time=3 --benchmark_out="$work/decode.csv" \
        --benchmark_out_format=csv >/dev/null 2>&1
    decode1=$(column "$work/decode.csv" BM_ReadAndDecodeFiles/real_time/threads:1 7)
    decode2=$(column "$work/decode.csv" BM_ReadAndDecodeFiles/real_time/threads:2 7)
    read -r grade2 rss2000 <<<"$(grade_run 2 2000)"
    read -r _ rss100 <<<"$(grade_run 2 100)"
    row=$(printf "%-6s %14s %14s %14s %14s %14s %16s %14s %14s %15s" "$round" "$engine" "$second" "$load" \
        "$band" "$whole" \
        "$(ratio "$grade2" "$decode2")" "$(ratio "$grade2" "$grade1")" "$(ratio "$rss2000" "$rss100")" \
        "$(ratio "$decode2" "$decode1")")
    echo "$row"
    results+=("$row")
    echo "  (bare decode $bare us/sheet; sheets/s: bare decode x2 $decode2, grade --jobs 1 $grade1," \
        "--jobs 2 $grade2; max RSS KiB: 100 sheets $rss100, 2000 sheets $rss2000)" >&2
done
printf "%s\n" "${results[@]}" | awk '
    { for (i = 2; i <= NF; ++i) { if (NR == 1 || $i < lo[i]) lo[i] = $i; if (NR == 1 || $i > hi[i]) hi[i] = $i } }
    END { printf "%-6s", "range"; for (i = 2; i <= NF; ++i) printf " %14s", lo[i] "-" hi[i]; print "" }'
echo "targets: engine/decode <= 0.25, grade2/decode2 >= 0.8 (aim 1.2), grade2/grade1 >= 1.8, rss2000/rss100 <= 1.2"
echo "(the batch ratios mean something only in rounds where decode2/decode1 is near 2)"
