#!/usr/bin/env bash
# Fails, naming the files, when a tracked C++ file is off .clang-format.
# `scripts/format-check.sh --fix` formats them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [[ ${1:-} == --fix ]]; then
    clang-format -i "${files[@]}"
    exit 0
fi
off=$(clang-format --dry-run "${files[@]}" 2>&1 | sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: warning:.*/\1/p' | sort -u)
if [[ -n $off ]]; then
    echo "format-check: off .clang-format (run scripts/format-check.sh --fix):" >&2
    echo "$off" >&2
    exit 1
fi
