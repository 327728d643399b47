#!/usr/bin/env bash
# Regenerates docs/screenshots/: every page with the virtual mouse, offscreen,
# in English, and the home and performance pages in Simplified Chinese.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

build=${BUILD:-build/release}
if [ -z "${BUILD:-}" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" --target tessaly tessaly_data
fi

out=docs/screenshots
mkdir -p "$out"
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
export QT_QPA_PLATFORM=offscreen TESSALY_NO_UPDATE_CHECK=1
shoot() {  # page, file, extra options
  "$build/tessaly" --emulate --data-dir "$data/" --page "$1" --screenshot "$out/$2" "${@:3}" >/dev/null
  echo "$out/$2"
}
for page in home buttons performance macros lighting info settings; do
  shoot "$page" "$page.png"
done
shoot home home-zh.png --lang 2052
shoot performance performance-zh.png --lang 2052
