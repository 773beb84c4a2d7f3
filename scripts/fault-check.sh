#!/usr/bin/env bash
# fault-check.sh [BUILD [PATTERN]]: plants each fault of scripts/faults.txt (those whose
# line matches PATTERN, when given) in turn, rebuilds and runs the tests; every fault must
# make some test fail. Every other line is still planted and undone, without a build, so
# that a fault whose text has left its file fails any run at once. Needs a clean checkout
# (the faults are undone with git) and a configured build directory. FAULT_CTEST_ARGS adds
# ctest arguments (say -E '^ui_'), FAULT_BUILD_ARGS cmake --build arguments (say --target
# vantrel_core_tests).
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
pattern=${2:-}
git diff --quiet || { echo "fault-check: commit or stash your changes first" >&2; exit 2; }

caught=0 missed=0 broken=0
while IFS='|' read -r file text replacement rule; do
    [[ -z $file || $file == \#* ]] && continue
    chosen=1
    [[ -n $pattern ]] && ! grep -qE -- "$pattern" <<<"$file|$text|$replacement|$rule" && chosen=0
    trim() { sed -E 's/^ +| +$//g' <<<"$1"; }
    file=$(trim "$file") text=$(trim "$text") replacement=$(trim "$replacement") rule=$(trim "$rule")
    [[ -f $file ]] && perl -i -pe 'BEGIN { ($old, $new) = (shift, shift) } s/\Q$old\E/$new/' "$text" "$replacement" "$file"
    if [[ ! -f $file ]] || git diff --quiet -- "$file"; then
        echo "NOT PLANTED  $rule ($file)"
        ((broken++))
        continue
    fi
    if ((!chosen)); then
        git checkout -q -- "$file"
        continue
    fi
    if ! cmake --build "$build" -j2 ${FAULT_BUILD_ARGS:-} >/dev/null 2>&1; then
        echo "NO BUILD     $rule"
        ((broken++))
    elif QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" -j2 --timeout 300 ${FAULT_CTEST_ARGS:-} >/dev/null 2>&1; then
        echo "MISSED       $rule"
        ((missed++))
    else
        echo "caught       $rule"
        ((caught++))
    fi
    git checkout -q -- "$file"
done <scripts/faults.txt
cmake --build "$build" -j2 ${FAULT_BUILD_ARGS:-} >/dev/null 2>&1
echo "$caught caught, $missed missed, $broken not planted or not built"
[[ $missed -eq 0 && $broken -eq 0 ]]
