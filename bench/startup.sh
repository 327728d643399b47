#!/usr/bin/env bash
# Start-up of the GUI against its floor, in turns so both see the same load:
#   - `tessaly --first-frame` (process start to the first painted main
#     window) against `empty_qt_window` (an empty Qt window of the same size
#     that exits once painted), offscreen and, when Xvfb is installed, on X11;
#   - with the virtual mouse, start to the window settled after the first
#     read (`--until-settled`), with an empty macro collection against a data
#     folder holding 10,000 macros.
# Wall time and peak RSS, medians over RUNS runs, and the ratios.
#
# Build first: cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
#   -DTESSALY_TESTS=OFF && cmake --build build/release --target tessaly
#   tessalyctl empty_qt_window
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build/release}
runs=${RUNS:-9}
macros=${MACROS:-10000}
for program in tessaly tessalyctl empty_qt_window; do
  [ -x "$build/$program" ] || { echo "build $build/$program first (see the head of $0)" >&2; exit 1; }
done
scratch=$(mktemp -d)
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
export TESSALY_NO_UPDATE_CHECK=1

# One run: "seconds kilobytes" of the command's wall time (to the
# microsecond; time's own figure has only 10 ms) and peak RSS.
run_once() {
  local line start end
  start=$(date +%s%N)
  line=$(/usr/bin/time -f "%M" "$@" 2>&1 >/dev/null | tail -1)
  end=$(date +%s%N)
  case $line in
    [0-9]*) echo "$(( (end - start) / 1000 ))e-6 $line" ;;
    *) echo "run failed: $* ($line)" >&2; exit 1 ;;
  esac
}

median() { sort -g | sed -n "$(( (runs + 1) / 2 ))p"; }

# label_a, command_a, label_b, command_b (commands as single strings, word-split)
# run in turns; prints both medians and the ratio a / b.
compare() {
  local label_a=$1 command_a=$2 label_b=$3 command_b=$4
  local ta=() ma=() tb=() mb=() line
  for _ in $(seq "$runs"); do
    # shellcheck disable=SC2086
    line=$(run_once $command_a); ta+=("${line% *}"); ma+=("${line#* }")
    # shellcheck disable=SC2086
    line=$(run_once $command_b); tb+=("${line% *}"); mb+=("${line#* }")
  done
  local t1 m1 t2 m2
  t1=$(printf '%s\n' "${ta[@]}" | median); m1=$(printf '%s\n' "${ma[@]}" | median)
  t2=$(printf '%s\n' "${tb[@]}" | median); m2=$(printf '%s\n' "${mb[@]}" | median)
  python3 - "$label_a" "$t1" "$m1" "$label_b" "$t2" "$m2" "$runs" <<'EOF'
import sys
la, ta, ma, lb, tb, mb, runs = sys.argv[1:]
ta, ma, tb, mb = float(ta), float(ma), float(tb), float(mb)
for label, t, m in ((la, ta, ma), (lb, tb, mb)):
    print(f"  {label:<28} median {t * 1000:6.0f} ms  peak RSS {m / 1024:5.1f} MiB")
ratio = ta / tb if tb > 0 else float("inf")
print(f"  ratio {ratio:.2f} x in time, {ma / mb:.2f} x in memory ({runs} runs each, in turns)")
EOF
}

gui="$build/tessaly --data-dir $scratch/empty/ --first-frame"
floor="$build/empty_qt_window"
mkdir -p "$scratch/empty"

echo "offscreen: GUI to its first frame against an empty Qt window"
QT_QPA_PLATFORM=offscreen compare "tessaly --first-frame" "$gui" "empty Qt window" "$floor"
# The floor draws no text; how much of the gap is the fonts' start alone.
echo "offscreen: the same empty window drawing one line of text, against none"
QT_QPA_PLATFORM=offscreen compare "empty window with text" "$floor --text" "empty Qt window" "$floor"
echo "offscreen: GUI to its first frame against the empty window drawing text"
QT_QPA_PLATFORM=offscreen compare "tessaly --first-frame" "$gui" "empty window with text" "$floor --text"

if command -v Xvfb >/dev/null; then
  Xvfb :97 -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
  echo "X11 (Xvfb): GUI to its first frame against an empty Qt window"
  DISPLAY=:97 QT_QPA_PLATFORM=xcb compare "tessaly --first-frame" "$gui" "empty Qt window" "$floor"
else
  echo "X11: Xvfb not installed, no figure"
fi

# A collection of $macros macros of one key each (press, delay, release,
# delay), made by the program itself: one macro, exported, repeated, imported.
prepare_macros() {
  local folder=$1 file=$scratch/all-macros.xml
  local ctl="$build/tessalyctl --data-dir $folder/ --emulate"
  mkdir -p "$folder"
  $ctl macro new >/dev/null
  $ctl macro insert 1 end key A >/dev/null
  $ctl macro export-all "$file" >/dev/null
  $ctl macro delete 1 >/dev/null
  python3 - "$file" "$macros" <<'EOF'
import re, sys
path, count = sys.argv[1], int(sys.argv[2])
text = open(path, encoding="utf-8").read()
item = re.search(r"<macro_item\b.*?</macro_item>", text, re.S)
if not item:
    sys.exit("no macro_item in the exported file")
one = item.group(0)
many = "".join(re.sub(r'macro_name="[^"]*"', f'macro_name="Macro {n}"', one, count=1)
               for n in range(1, count + 1))
open(path, "w", encoding="utf-8").write(text[:item.start()] + many + text[item.end():])
EOF
  $ctl macro import-all "$file" >/dev/null
  local stored
  stored=$($ctl --json macro list | python3 -c 'import json,sys; print(len(json.load(sys.stdin)["macros"]))')
  [ "$stored" = "$macros" ] || { echo "prepared $stored macros, not $macros" >&2; exit 1; }
}

echo "offscreen, virtual mouse: start until settled, $macros macros against none"
mkdir -p "$scratch/none"
QT_QPA_PLATFORM=offscreen run_once "$build/tessaly" --data-dir "$scratch/none/" --emulate --until-settled >/dev/null
prepare_macros "$scratch/many"
settled="--emulate --until-settled"
QT_QPA_PLATFORM=offscreen compare \
  "$macros macros" "$build/tessaly --data-dir $scratch/many/ $settled" \
  "no macros" "$build/tessaly --data-dir $scratch/none/ $settled"
