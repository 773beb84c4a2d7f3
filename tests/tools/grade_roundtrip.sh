#!/usr/bin/env bash
# Draws random sheets in every scan format and checks that vantrel-grade reads
# exactly the ID, counts and marked letters the generator drew.
set -euo pipefail
sheet=$VANTREL_SHEET
grade=$VANTREL_GRADE
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failed=0
check_batch() { # format count seed
    local dir=$work/$1
    "$sheet" batch --count "$2" --seed "$3" --format "$1" --out "$dir" >/dev/null
    "$grade" --key "$dir/key.txt" --csv "$dir/graded.csv" --quiet "$dir"/img*."$1" >/dev/null
    # file,examinee_id,correct,wrong,error and the letters marked in each row
    # (m1..m100) of both, the file as a bare name.
    tail -n +2 "$dir/graded.csv" | cut -d, -f1-5,107-206 | sed 's#^[^,]*/##' | sort >"$dir/read.txt"
    tail -n +2 "$dir/truth.csv" | cut -d, -f1-105 | sort >"$dir/expected.txt"
    if ! diff "$dir/expected.txt" "$dir/read.txt" >"$dir/diff.txt"; then
        echo "FAIL: $1 sheets read differently from what was drawn:"
        head -n 20 "$dir/diff.txt"
        failed=1
    fi
    echo "$1: $(wc -l <"$dir/expected.txt") sheets compared"
}

check_batch jpg 160 11
check_batch tif 80 12
check_batch bmp 80 13
exit $failed
