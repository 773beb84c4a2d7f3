#!/usr/bin/env bash
# Fails when a core source (not a C-prefixed UI class, not app/ or framework/qt/) includes Qt Widgets.
set -u
root=$1
hits=$(cd "$root" && find framework answerkey image omr results grading tools -path framework/qt -prune -o \( -name '*.h' -o -name '*.cpp' \) -print \
  | grep -v -E '/C[A-Z][^/]*$' | xargs grep -n -E '#include *<(QtWidgets|QApplication|QWidget|QDialog|QMainWindow|QMessageBox|QMdi)' 2>/dev/null)
if [[ -n "$hits" ]]; then
  echo "core sources include Qt Widgets:"; echo "$hits"; exit 1
fi
echo "core is free of Qt Widgets"
