#!/usr/bin/env bash
# Installs the dependencies, builds and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

build=build/release
# The programs only: the tests are scripts/test.sh's.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSALY_TESTS=OFF
cmake --build "$build"
# Without a display the window runs offscreen: leave a picture of it.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [[ " $* " != *" --screenshot "* ]]; then
  shot="$PWD/$build/screenshot.png"
  "$build/tessaly" "$@" --screenshot "$shot"
  echo "no display: the window ran offscreen; its picture is $shot"
  exit 0
fi
exec "$build/tessaly" "$@"
