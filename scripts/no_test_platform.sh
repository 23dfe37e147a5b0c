#!/usr/bin/env bash
# Fails if any of the given binaries (the program and the libraries it links) holds a symbol of the
# headless test platform: a type declared in framework/headless, found in the output of nm -C.
set -euo pipefail
headless=$(dirname "$0")/../framework/headless

# The platform's own types: those declared at the outermost level of its files.
types=$(sed -n 's/^\(class\|struct\)[[:space:]]\+\([A-Za-z_][A-Za-z0-9_]*\).*/\2/p' \
        "$headless"/*.hpp "$headless"/*.cpp | sort -u | paste -sd'|')
[ -n "$types" ] || { echo "no type found in framework/headless" >&2; exit 1; }

status=0
for binary in "$@"; do
  symbols=$(nm -C "$binary")
  found=$(grep -E "\b($types)\b" <<<"$symbols" | sort -u || true)
  if [ -n "$found" ]; then
    echo "$binary holds the test platform:" >&2
    head -5 <<<"$found" >&2
    status=1
  else
    echo "$binary: no symbol of the test platform"
  fi
done
exit $status
