#!/usr/bin/env bash
# Fails when code above the layer includes what only the layer may: Qt, libcurl and iconv
# belong to platform/, cJSON to cloud/. Tests and benchmarks of a folder follow its rule,
# except that tests drive the real widgets and so may include Qt.
set -euo pipefail
cd "$(dirname "$0")/.."

window_or_net='^\s*#\s*include\s*[<"](Q[A-Za-z]+|Qt[A-Za-z]+/[^>"]*|curl/[^>"]*|iconv\.h)[>"]'
json='^\s*#\s*include\s*[<"]cjson/'

found=0
report() { # $1: what, then the matches
    if [ -n "$2" ]; then
        echo "$1:"
        printf '%s\n' "$2" | sed 's/^/  /'
        found=1
    fi
}
sources() { git ls-files -- "$@" | grep -E '\.(h|cpp)$' || true; }
matches() { # $1: pattern, rest: files
    local pattern=$1
    shift
    [ $# -gt 0 ] || return 0
    grep -n -E "$pattern" "$@" || true
}

mapfile -t above < <(sources registry cloud console resources)
mapfile -t not_cloud < <(sources platform registry console resources bench \
    tests/platform tests/registry tests/console tests/support)

report "Qt, libcurl or iconv included above platform/" "$(matches "$window_or_net" "${above[@]}")"
report "cJSON included outside cloud/" "$(matches "$json" "${not_cloud[@]}")"
[ "$found" -eq 0 ] && echo "Layers: every include stays in its layer."
exit "$found"
