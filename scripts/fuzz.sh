#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs one of them.
#   scripts/fuzz.sh xml_document [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

target=${1:?usage: scripts/fuzz.sh TARGET [SECONDS]}
seconds=${2:-60}
build=build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTESSALY_FUZZ=ON -DTESSALY_TESTS=OFF -DTESSALY_BENCH=OFF
cmake --build "$build" --target "fuzz_$target"
corpus="$build/corpus/$target"
mkdir -p "$corpus"
seeds=()
[ -d "fuzz/corpus/$target" ] && seeds=("fuzz/corpus/$target")
"$build/fuzz_$target" -max_total_time="$seconds" -rss_limit_mb=2048 "$corpus" "${seeds[@]}"
