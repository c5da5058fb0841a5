#!/usr/bin/env bash
# Sets up what the tests need and runs every test. Usage: scripts/run-tests.sh [BUILD_DIR [cmake arguments...]]
set -euo pipefail
. "$(dirname "$0")/setup.sh"
setup_tests "${1:-$top/build}" "${@:2}"
say "Testing"
cd "$build"
exec ctest --output-on-failure --progress -j "$(nproc)"
