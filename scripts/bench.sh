#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them all (or the one named).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

build=build/bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSALY_TESTS=OFF
cmake --build "$build"
for bench in "$build"/*_bench; do
  [ -n "${1:-}" ] && [ "$(basename "$bench")" != "$1" ] && continue
  "$bench"
done
