#!/usr/bin/env bash
# Sets everything up and starts the console. Usage: scripts/start-console.sh [BUILD_DIR]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
"$top/scripts/setup.sh" "$build"
exec "$build/console/quorvane"
