#!/usr/bin/env bash
# Installs what is missing, builds everything (program, tests, benchmarks) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install_dependencies.sh test

build=${QUILLORN_BUILD_DIR:-build}
# Every part is switched on explicitly, so a build folder configured otherwise before still tests
# everything; the caller may add options after these.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUILLORN_QT=ON -DQUILLORN_TESTS=ON -DQUILLORN_BENCH=ON -DQUILLORN_SANITIZE=OFF "$@"
cmake --build "$build" --parallel "$(nproc)"
# The Qt tests build real windows without a display.
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure --no-tests=error --parallel "$(nproc)"
