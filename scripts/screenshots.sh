#!/usr/bin/env bash
# Renders the main window, the login, new-account and add-device dialogs and a message box
# to PNG files in docs/ (the README shows docs/main-window.png). Usage: scripts/screenshots.sh [BUILD_DIR]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
"$top/scripts/setup.sh" "$build"
mkdir -p "$top/docs"
QT_QPA_PLATFORM=offscreen QUORVANE_SCREENSHOT_DIR="$top/docs" \
  "$build/tests/console/console_tests" --gtest_filter='ScreenshotTest.*'
ls -l "$top/docs"/*.png
