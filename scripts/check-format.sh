#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from what clang-format makes of it under
# .clang-format. Run with --fix to reformat them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -- '*.h' '*.cpp')
if [ "${1:-}" = "--fix" ]; then
    clang-format -i "${files[@]}"
else
    clang-format --dry-run -Werror "${files[@]}"
    echo "Format: every file matches .clang-format."
fi
