#!/usr/bin/env bash
# Prints the folder-level include graph, one arrow per line ("app -> orbit_window": a file in app
# includes a header of orbit_window), and fails if two folders include each other or if an arrow
# points up the layer order below. A folder not in the order fails too, so that a new one is placed.
set -euo pipefail
cd "$(dirname "$0")/.."

# The layers from the bottom up; a folder may include only folders of a lower rank.
declare -A rank=(
  [orbit_math]=0 [framework]=0
  [framework/headless]=1 [framework/qt]=1
  [shell_parts]=2
  [orbit_window]=3
  [app]=4
  [tests]=5 [bench]=5 [fuzz]=5
)

# Every C++ file of the tree: in a git checkout every file not ignored (so that a new folder is
# seen), otherwise those of the known folders.
sources() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files --cached --others --exclude-standard '*.cpp' '*.hpp'
  else
    find orbit_math framework shell_parts orbit_window app tests bench fuzz -name '*.cpp' -o -name '*.hpp'
  fi | sort
}

# "from to" for every include of a header in another folder. Tests, benchmarks and fuzzers count
# as one folder each; their includes of their own helpers ("../app/started_program.hpp",
# "headless_program.hpp") are not arrows. The tree's root is on the include path, so a header of
# the tree can be named in angle brackets too; those are marked "<" to tell them from a library's
# (<sys/prctl.h>), whose first folder is none of the tree's.
edges=$(
  sources | while read -r file; do
    [ -f "$file" ] || continue
    from=$(dirname "$file")
    case "$from" in tests*|bench*|fuzz*) from=${from%%/*} ;; esac
    sed -n -e 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^".][^"]*\/[^"/]*\)".*/\1/p' \
           -e 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*<\([^>]*\/[^>/]*\)>.*/<\1/p' "$file" |
    while read -r header; do
      case "$header" in
        '<'*)
          header=${header#<}
          [ -d "${header%%/*}" ] || continue
          ;;
      esac
      to=$(dirname "$header")
      if [ "$to" != "$from" ]; then echo "$from $to"; fi
    done
  done | sort -u
)

status=0
while read -r from to; do
  [ -n "$from" ] || continue
  echo "$from -> $to"
  for folder in "$from" "$to"; do
    if [ -z "${rank[$folder]+set}" ]; then
      echo "  FAIL: $folder has no place in the layer order" >&2; status=1
    fi
  done
  if grep -qx "$to $from" <<<"$edges"; then
    echo "  FAIL: $from and $to include each other" >&2; status=1
  elif [ -n "${rank[$from]+set}" ] && [ -n "${rank[$to]+set}" ] && (( rank[$to] >= rank[$from] )); then
    echo "  FAIL: $from includes $to, which is not below it" >&2; status=1
  fi
done <<<"$edges"
exit $status
