#!/usr/bin/env bash
# Fails if a .cpp file is named in no CMakeLists.txt: the source lists are written out by hand, and
# a file left out of them would silently not be built (a test file not built is a test not run).
# Each file must be named, by its path from there, in the nearest CMakeLists.txt at or above it
# (alone or after ${CMAKE_CURRENT_SOURCE_DIR}/).
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
while read -r file; do
  [ -f "$file" ] || continue
  dir=$(dirname "$file")
  while [ ! -f "$dir/CMakeLists.txt" ]; do dir=$(dirname "$dir"); done
  relative=${file#"$dir"/}
  # A name in a comment builds nothing.
  pattern="(^|[[:space:](]|\}/)${relative//./\\.}([[:space:])]|$)"
  if ! sed 's/#.*//' "$dir/CMakeLists.txt" | grep -E "$pattern" >/dev/null; then
    echo "$file is not listed in $dir/CMakeLists.txt" >&2
    status=1
  fi
done < <(
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files --cached --others --exclude-standard '*.cpp'
  else
    find orbit_math framework shell_parts orbit_window app tests bench fuzz -name '*.cpp'
  fi | sort
)
[ $status -eq 0 ] && echo "every source file is listed"
exit $status
