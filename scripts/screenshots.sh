#!/usr/bin/env bash
# Regenerates docs/screenshots/: every page with the virtual mouse, offscreen,
# in English, the home and performance pages in Simplified Chinese, and every
# page again on a 1366x768 screen (the window shrinks to it). OUT=dir elsewhere.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

build=${BUILD:-build/release}
if [ -z "${BUILD:-}" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" --target tessaly tessaly_data
fi

out=${OUT:-docs/screenshots}
mkdir -p "$out"
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
export TESSALY_NO_UPDATE_CHECK=1
# The window takes its size from the screen: offscreen screens of a given size.
screen() {  # width, height
  echo "{\"screens\": [{\"name\": \"s\", \"x\": 0, \"y\": 0, \"width\": $1, \"height\": $2, \"logicalDpi\": 96}]}" >"$data/screen-$1.json"
  export QT_QPA_PLATFORM="offscreen:configfile=$data/screen-$1.json"
}
shoot() {  # page, file, extra options
  "$build/tessaly" --emulate --data-dir "$data/" --page "$1" --screenshot "$out/$2" "${@:3}" >/dev/null
  echo "$out/$2"
}
screen 1920 1080
for page in home buttons performance macros lighting info settings; do
  shoot "$page" "$page.png"
done
shoot home home-zh.png --lang 2052
shoot performance performance-zh.png --lang 2052
# A 1366x768 screen: the window shrinks to it.
screen 1366 768
for page in home buttons performance macros lighting info settings; do
  shoot "$page" "$page-1366.png"
done
