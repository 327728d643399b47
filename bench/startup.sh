#!/usr/bin/env bash
# Start-up of the GUI: process start to the first painted main window
# (`--first-frame`), offscreen and, when Xvfb is installed, on an X server;
# wall time and peak RSS, medians over several runs.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build/release}
runs=${RUNS:-9}
[ -x "$build/tessaly" ] || { echo "build $build first (scripts/run.sh or scripts/bench.sh)" >&2; exit 1; }
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
export TESSALY_NO_UPDATE_CHECK=1

measure() {  # label, then the environment to run with
  local label=$1; shift
  local times=() rss=()
  for _ in $(seq "$runs"); do
    local line
    line=$(env "$@" /usr/bin/time -f "%e %M" "$build/tessaly" --data-dir "$data/" --first-frame 2>&1 >/dev/null | tail -1)
    times+=("${line% *}"); rss+=("${line#* }")
  done
  local t m
  t=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")
  m=$(printf '%s\n' "${rss[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")
  printf '%-10s median %6.0f ms  peak RSS %5.1f MB  (%d runs)\n' "$label" \
    "$(python3 -c "print($t * 1000)")" \
    "$(python3 -c "print($m/1024)")" "$runs"
}

measure offscreen QT_QPA_PLATFORM=offscreen
if command -v Xvfb >/dev/null; then
  Xvfb :97 -screen 0 1920x1080x24 >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
  measure Xvfb DISPLAY=:97 QT_QPA_PLATFORM=xcb
  kill "$xvfb"
else
  echo "Xvfb        not installed: no X11 figure"
fi
