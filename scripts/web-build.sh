#!/usr/bin/env bash
# Builds the browser page: the C libraries from Debian's sources (once), then the reading
# library and the page with emscripten, into one BUILD/web/vantrel.html.
#   bash scripts/web-build.sh [BUILD]     (default build-web)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-web}")
# emscripten's optimiser loads acorn from Debian's node modules.
export NODE_PATH=/usr/share/nodejs
bash "$root/web/build-deps.sh" "$build"
prefix=$build/deps/prefix
if [[ ! -f $build/CMakeCache.txt ]]; then
  # The libraries are found in the prefix only (the toolchain searches below its roots).
  emcmake cmake -S "$root" -B "$build" -G Ninja -DVANTREL_READING_ONLY=ON -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" >/dev/null
fi
nice cmake --build "$build" -j2 --target vantrel_html
echo "The page: $build/web/vantrel.html"
