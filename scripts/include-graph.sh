#!/usr/bin/env bash
# Prints which source folder includes which ("results -> image", one edge a line)
# and fails when the edges form a cycle: every folder may include only the folders
# below it, so app/ is the top that nobody includes and framework/ the bottom.
# Usage: include-graph.sh [SOURCE_ROOT]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"
folders=(app answerkey image omr results grading framework framework/qt tools web)

# The listed folder a path lies in (the deepest, so framework/qt/x.h is
# framework/qt), or nothing for a path outside them.
folder_of() {
  local path=$1 best='' folder
  for folder in "${folders[@]}"; do
    if [[ $path == "$folder"/* && ${#folder} -gt ${#best} ]]; then
      best=$folder
    fi
  done
  printf '%s' "$best"
}

# Includes by bare name ("batch_runner.h") are the file's own folder and make no edge.
edges=$(
  find app answerkey image omr results grading framework tools web -path web/node_modules -prune -o -type f \( -name '*.h' -o -name '*.cpp' \) -print |
    sort | xargs grep -H -o '^#include "[^"]*"' | sed 's/:#include "/ /; s/"$//' |
    while read -r file included; do
      from=$(folder_of "$file")
      to=$(folder_of "$included")
      if [[ -n $to && $to != "$from" ]]; then
        echo "$from -> $to"
      fi
    done | sort -u
)
if [[ -n $edges ]]; then
  echo "$edges"
fi

# tsort names the folders of each loop it breaks in include order, after a header each.
if ! loops=$(sed 's/ -> / /' <<<"$edges" | tsort 2>&1 >/dev/null); then
  echo "include cycle between folders:" >&2
  awk '/input contains a loop/ { if (loop) print loop " -> " first; loop = ""; next }
       { sub(/^tsort: /, ""); if (loop) loop = loop " -> " $0; else loop = first = $0 }
       END { if (loop) print loop " -> " first }' <<<"$loops" >&2
  exit 1
fi
echo "no include cycle between folders"
