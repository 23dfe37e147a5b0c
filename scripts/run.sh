#!/usr/bin/env bash
# Installs what is missing, builds Quillorn and opens its main window.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install_dependencies.sh

build=${QUILLORN_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target quillorn

# Without a reachable display the program says how to run it under a virtual one.
exec "$build/quillorn"
