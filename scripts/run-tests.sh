#!/usr/bin/env bash
# Sets everything up and runs every test. Usage: scripts/run-tests.sh [BUILD_DIR [cmake arguments...]]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
shift || true
"$top/scripts/setup.sh" "$build" "$@"
cd "$build"
ctest --output-on-failure -j "$(nproc)"
