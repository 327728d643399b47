#!/usr/bin/env bash
# Builds with ThreadSanitizer and runs the concurrency tests (every test whose
# name contains "Concurrency"); extra arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

build=build/tsan
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESSALY_TSAN=ON -DTESSALY_BENCH=OFF -DTESSALY_WERROR=ON
cmake --build "$build"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"
ctest --test-dir "$build" --output-on-failure -R Concurrency "$@"
