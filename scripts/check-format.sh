#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format (the repo's
# .clang-format) makes of it; `clang-format -i FILE` mends it.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.cc' '*.h')
clang-format --dry-run --Werror "${files[@]}"
echo "check-format: ${#files[@]} files as clang-format writes them"
