#!/usr/bin/env bash
# Sets up, builds the browser page and the native programs it is compared with, and runs
# the page's tests (node's test runner driving headless chromium).
#   bash scripts/web-test.sh [NATIVE_BUILD] [WEB_BUILD]     (default build, build-web)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native=$(realpath -m "${1:-$root/build}")
web=$(realpath -m "${2:-$root/build-web}")
bash "$root/scripts/setup.sh"
bash "$root/scripts/web-build.sh" "$web"
if [[ ! -f $native/CMakeCache.txt ]]; then
  cmake -S "$root" -B "$native" -G Ninja >/dev/null
fi
nice cmake --build "$native" -j2 --target vantrel-grade vantrel-sheet
cd "$root"
VANTREL_WEB_PAGE=$web/web/vantrel.html VANTREL_NATIVE_BUILD=$native node --test --test-concurrency=1 web/tests/
