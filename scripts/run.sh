#!/usr/bin/env bash
# Installs what running needs and is missing, builds the program alone and opens its main window.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install_dependencies.sh run

build=${QUILLORN_BUILD_DIR:-build}
# Without the tests and benchmarks, whose libraries only the test command installs.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORN_QT=ON -DQUILLORN_TESTS=OFF \
  -DQUILLORN_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target quillorn

# Without a reachable display the program says how to run it under a virtual one.
exec "$build/quillorn"
