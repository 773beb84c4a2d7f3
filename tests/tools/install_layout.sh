#!/usr/bin/env bash
# Installs into a scratch prefix and checks that a desktop finds everything where
# it looks: the programs, the menu entry, its icon and the printable sheet.
set -uo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
version=$(sed -n 's/^project(Vantrel VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
for program in vantrel vantrel-grade vantrel-sheet; do
    [[ -x $prefix/bin/$program ]] || { fail "bin/$program missing"; continue; }
    said=$("$prefix/bin/$program" --version 2>&1)
    [[ $said == "$program $version" ]] || fail "$program --version said '$said', expected '$program $version'"
done

desktop=$prefix/share/applications/vantrel.desktop
[[ -f $desktop ]] || fail "no desktop entry"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[[ -x $prefix/bin/${exec_line%% *} ]] || fail "the desktop entry runs '$exec_line', which is not installed"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[[ -f $prefix/share/icons/hicolor/scalable/apps/$icon.svg ]] || fail "icon '$icon' is not in hicolor/scalable"

pdf=$prefix/share/vantrel/answer-sheet.pdf
[[ -f $pdf ]] || fail "no printable sheet"
[[ $(pdfinfo "$pdf" 2>/dev/null) == *"(A4)"* ]] || fail "the installed sheet is not an A4 PDF"

if ((failures > 0)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "install layout complete"
