#!/usr/bin/env bash
# `tessalyctl --emulate status`: start-up, discovery and the first read of the
# virtual mouse, the command and the exit; wall time and peak RSS, medians
# over several runs (after one run that creates the database).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build/release}
runs=${RUNS:-9}
[ -x "$build/tessalyctl" ] || { echo "build $build first (the tessalyctl target)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
command=("$build/tessalyctl" --emulate --emulator-state "$work/mouse.state" --data-dir "$work/data/" status)
"${command[@]}" >/dev/null

# One run: "<seconds> <peak RSS in kB>".
run_once() {
  if [ -x /usr/bin/time ]; then
    /usr/bin/time -f "%e %M" "${command[@]}" 2>&1 >/dev/null | tail -1
  else
    python3 - "${command[@]}" <<'PY'
import resource, subprocess, sys, time
start = time.monotonic()
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, check=True)
wall = time.monotonic() - start
print(f"{wall:.3f} {resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss}")
PY
  fi
}

median() { sort -n | sed -n "$(( (runs + 1) / 2 ))p"; }

times=() rss=()
for _ in $(seq "$runs"); do
  line=$(run_once)
  times+=("${line% *}"); rss+=("${line#* }")
done
t=$(printf '%s\n' "${times[@]}" | median)
m=$(printf '%s\n' "${rss[@]}" | median)
printf 'tessalyctl --emulate status  median %6.0f ms  peak RSS %5.1f MB  (%d runs; targets 100 ms, 20 MB)\n' \
  "$(python3 -c "print($t * 1000)")" "$(python3 -c "print($m / 1024)")" "$runs"
