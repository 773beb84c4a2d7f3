#!/usr/bin/env bash
# Grades scans through the browser page (build-web/web/vantrel.html) in headless chromium,
# feeding the page's own inputs, and writes the CSV the page saves, to compare with
# vantrel-grade's:
#   bash scripts/web-grade.sh --key KEY --csv OUT [--page PAGE] [--workers N] SCAN...
set -euo pipefail
exec node "$(dirname "$0")/../web/tests/web_grade.mjs" "$@"
