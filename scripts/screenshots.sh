#!/usr/bin/env bash
# Regenerates docs/screenshots/: every page with the virtual mouse, offscreen,
# in English, Simplified Chinese and Russian, on a 1920x1080 screen and on a
# 1366x768 one. OUT=dir elsewhere.
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
pages=(home buttons performance macros lighting info settings)
# English, Simplified Chinese and Russian (the longest texts), on a
# 1920x1080 screen and on a 1366x768 one (the window shrinks to it).
for size in 1920x1080 1366x768; do
  screen "${size%x*}" "${size#*x}"
  suffix=$([ "$size" = 1366x768 ] && echo "-1366" || echo "")
  for page in "${pages[@]}"; do
    shoot "$page" "$page$suffix.png"
    shoot "$page" "$page-zh$suffix.png" --lang 2052
    shoot "$page" "$page-ru$suffix.png" --lang 1049
  done
done
