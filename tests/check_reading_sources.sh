#!/usr/bin/env bash
# Fails when a source compiled into vantrel_reading, or a project header it includes
# (followed through every header), includes a Qt header or names a Qt class.
# The list of sources is the one CMake writes from the target (reading_sources.txt),
# so a file added to the library is checked without naming it here.
set -u
root=$1
list=$2
[[ -s "$list" ]] || { echo "no list of the reading library's sources: $list"; exit 1; }

declare -A seen=()
pending=()
while IFS= read -r source; do
  [[ -n "$source" ]] && pending+=("$source")
done <"$list"

hits=""
while ((${#pending[@]} > 0)); do
  file=${pending[-1]}
  unset 'pending[-1]'
  [[ -n "${seen[$file]:-}" ]] && continue
  seen[$file]=1
  [[ -f "$file" ]] || { hits+="$file: not found"$'\n'; continue; }
  # Comments may name Qt (what a plain function stands in for); code may not.
  found=$(sed 's|//.*||' "$file" | grep -n -E '#include *<Q|\bQ[A-Z][A-Za-z]+\b|\bQt[A-Z:_]|\bQT_|\bq(Debug|Warning|int64)\b|\btr\(' \
    | sed "s|^|$file:|")
  [[ -n "$found" ]] && hits+="$found"$'\n'
  while IFS= read -r included; do
    for candidate in "$root/$included" "$(dirname "$file")/$included"; do
      if [[ -f "$candidate" ]]; then
        pending+=("$(realpath "$candidate")")
        break
      fi
    done
  done < <(grep -o -E '^#include *"[^"]+"' "$file" | sed -E 's/^#include *"([^"]+)"/\1/')
done

if [[ -n "$hits" ]]; then
  echo "the reading library reaches Qt:"; printf '%s' "$hits"; exit 1
fi
echo "the reading library (${#seen[@]} files) is free of Qt"
