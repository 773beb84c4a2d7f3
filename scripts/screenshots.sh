#!/usr/bin/env bash
# Renders the desktop program on the offscreen platform: the main window with three
# sample sheets checked, the about box and the results dialog, as PNG files in
# out/screenshots (or the folder given).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/out/screenshots}
build=$root/build
bash "$root/scripts/build.sh" "$build"
samples=$(mktemp -d)
trap 'rm -rf "$samples"' EXIT
"$build/tools/sheet/vantrel-sheet" batch --count 3 --out "$samples" >/dev/null
QT_QPA_PLATFORM=offscreen "$build/app/vantrel" --screenshot "$out" \
  --key "$samples/key.txt" "$samples"/img00{1,2,3}.tif
echo "Screenshots: $out"
ls "$out"
