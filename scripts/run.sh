#!/usr/bin/env bash
# Installs what is missing, builds Quillorn and opens its main window.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install_dependencies.sh

build=${QUILLORN_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORN_TESTS=OFF -DQUILLORN_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target quillorn

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<'MSG'
Quillorn needs a display, and none was found (DISPLAY and WAYLAND_DISPLAY are unset).
To run it under a virtual display:
    xvfb-run -a -s "-screen 0 1280x800x24" bash scripts/run.sh
MSG
  exit 1
fi
exec "$build/quillorn"
