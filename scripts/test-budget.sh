#!/usr/bin/env bash
# Lines of test code against lines of everything else that is code, from the files git
# tracks. Exits 1 when the tests pass the budget (0.35 × the code unless given).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
budget=${1:-0.35}
cd "$root"

count() { # files on standard input, one a line
  local total=0 n
  while IFS= read -r f; do
    n=$(wc -l <"$f")
    total=$((total + n))
  done
  echo "$total"
}
code_files() {
  git ls-files -- '*.cpp' '*.h' '*.sh' '*.cmake' '*CMakeLists.txt' '*.py' '.ci/run'
}
tests=$(code_files | grep '^tests/' | grep -v '^tests/fuzz/corpus/' | count)
code=$(code_files | grep -v '^tests/' | count)
ratio=$(awk -v t="$tests" -v c="$code" 'BEGIN { printf "%.3f", t / c }')
echo "tests $tests lines, code $code lines, ratio $ratio (budget $budget)"
awk -v r="$ratio" -v b="$budget" 'BEGIN { exit !(r <= b) }'
