#!/usr/bin/env bash
# Renders the desktop program on the offscreen platform: the main window with four
# sample sheets checked (one to review), the about box and the results dialog, as PNG files in
# out/screenshots (or the folder given).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/out/screenshots}
build=$root/build
bash "$root/scripts/build.sh" "$build"
samples=$(mktemp -d)
trap 'rm -rf "$samples"' EXIT
"$build/tools/sheet/vantrel-sheet" batch --count 3 --out "$samples" >/dev/null
# A fourth in faint pencil, turned a degree on the glass: the review window lists it.
"$build/tools/sheet/vantrel-sheet" fill -o "$samples/img004.tif" --id 40404040 \
  --answers "$(head -n 40 "$samples/key.txt" | tr -d ' \r' | paste -sd,)" --pencil 110 --rotate 1.0 >/dev/null
QT_QPA_PLATFORM=offscreen "$build/app/vantrel" --screenshot "$out" \
  --key "$samples/key.txt" "$samples"/img00{1,2,3,4}.tif
echo "Screenshots: $out"
ls "$out"
