#!/usr/bin/env bash
# The main job: builds Vantrel, draws a set of sample answer sheets with a sample
# key, and grades them with vantrel-grade.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
bash "$root/scripts/build.sh" "$build"
samples=$build/samples
rm -rf "$samples"
"$build/tools/vantrel-sheet" batch --count 30 --seed 2026 --out "$samples"
echo "Sample sheets, key and truth: $samples"
"$build/tools/vantrel-grade" --quiet --key "$samples/key.txt" --csv "$samples/results.csv" \
  --results "$samples/results.txt" "$samples"/img*.tif
echo "CSV: $samples/results.csv   results file: $samples/results.txt"
