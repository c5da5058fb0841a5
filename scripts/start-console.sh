#!/usr/bin/env bash
# Sets up what the console needs and starts it. Usage: scripts/start-console.sh [BUILD_DIR]
set -euo pipefail
. "$(dirname "$0")/setup.sh"
use_build_dir "${1:-$top/build}"
install_packages "${console_packages[@]}"
# A new folder is set up for the console alone; one that run-tests.sh set up keeps its tests,
# and Ninja configures again by itself when a CMakeLists.txt changes.
[ -f "$build/build.ninja" ] || configure -DQUORVANE_BUILD_TESTS=OFF -DQUORVANE_BUILD_BENCH=OFF
build_targets "the console" quorvane
say "Starting the console"
exec "$build/console/quorvane"
