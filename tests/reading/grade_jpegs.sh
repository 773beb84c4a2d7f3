#!/usr/bin/env bash
# The reading library alone (tests/reading/grade_jpegs: a JPEG's bytes, no Qt) grades drawn
# classes to the CSV the batch grader writes: realistic scans, a class as it fills its
# sheets (upside-down pages among them), grey scans.
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
cases=("stress --preset stress --count 12 --seed 4" "classroom --preset classroom --count 24 --seed 8")
for case in "${cases[@]}"; do
  read -r name options <<<"$case"
  "$VANTREL_SHEET" batch --out "$work/$name" $options >/dev/null 2>&1 || { echo "$name: drawing failed"; exit 1; }
  scans=("$work/$name"/img*.jpg)
  if [[ $name == stress ]]; then
    # Grey scans go through Qt in the desktop and through libjpeg here.
    for scan in "${scans[@]:0:4}"; do convert "$scan" -colorspace Gray -type Grayscale "$scan"; done
  fi
  "$VANTREL_GRADE" --key "$work/$name/key.txt" --csv "$work/$name.grade.csv" --jobs 1 --quiet "${scans[@]}" \
    >/dev/null 2>&1
  "$GRADE_JPEGS" "$work/$name/key.txt" "${scans[@]}" >"$work/$name.reading.csv"
  if cmp -s "$work/$name.grade.csv" "$work/$name.reading.csv"; then
    echo "$name: ${#scans[@]} sheets, the same CSV"
  else
    echo "$name: the reading library's CSV differs from the batch grader's:"
    diff "$work/$name.grade.csv" "$work/$name.reading.csv" | head -5
    failed=1
  fi
done
exit $failed
