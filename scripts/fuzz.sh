#!/usr/bin/env bash
# Builds the libFuzzer harnesses into build-fuzz/ (clang++, ASan, UBSan) and runs
# each for N seconds (default 60) from its corpus in tests/fuzz/corpus/. A finding
# fails the run; its input (crash-*, leak-*, timeout-*, oom-*) stays beside the
# harness's log in the folder named at the end.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=${FUZZ_BUILD:-$root/build-fuzz}
findings=$build/findings
bash "$root/scripts/setup.sh" || exit 1
cmake -S "$root" -B "$build" -G Ninja -DVANTREL_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
cmake --build "$build" -j "$(nproc)" || exit 1
mkdir -p "$findings"
export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp"
failed=()
for harness in load_sheet key_file check_sheet roster sheet_pages pdf_page_image; do
    work=$build/corpus/$harness # new inputs land here, never in the repository
    mkdir -p "$work"
    # 2 GiB and 10 s: a sheet of the 100-megapixel limit decodes in both; a header
    # that only claims that much is refused before it is allocated.
    if ! (cd "$findings" && "$build/tests/fuzz/fuzz_$harness" -max_total_time="$seconds" \
        -rss_limit_mb=2048 -timeout=10 -max_len=262144 -print_final_stats=1 \
        -artifact_prefix="$findings/$harness-" "$work" "$root/tests/fuzz/corpus/$harness" \
        >"$findings/$harness.log" 2>&1); then
        failed+=("$harness")
        grep -m1 -A20 'ERROR:' "$findings/$harness.log" >&2 # what a CI log must show
    fi
    echo "fuzz: $harness: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$findings/$harness.log" | grep -o '[0-9]*$') runs"
done
if [[ ${#failed[@]} -gt 0 ]]; then
    echo "fuzz: findings in ${failed[*]}: inputs and logs are in $findings" >&2
    exit 1
fi
