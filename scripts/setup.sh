#!/usr/bin/env bash
# The steps that start-console.sh, run-tests.sh and .ci/run share: install the Debian packages
# that are missing, configure, build. Each step prints one line; what apt-get, CMake and Ninja
# print goes to setup.log in the build folder, and a step that fails shows that log's last
# 20 lines.
#
# Run on its own it sets up everything the tests need, without running them:
#   scripts/setup.sh [BUILD_DIR [cmake arguments...]]
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

console_packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libcurl4-openssl-dev libcjson-dev fonts-wqy-microhei
)
test_packages=(libgtest-dev libgmock-dev)
bench_packages=(libbenchmark-dev)

say() { printf '==> %s\n' "$*"; }

packages_word() { if [ "$1" -eq 1 ]; then echo "1 package"; else echo "$1 packages"; fi; }

# use_build_dir DIR: the folder the steps below build in. Its setup.log starts empty with the
# first step that writes to it, so a run that stops at once leaves no trace.
use_build_dir() {
  build=$1
  log=$build/setup.log
  log_started=
}

start_log() {
  [ -z "$log_started" ] || return 0
  mkdir -p "$build"
  : >"$log"
  log_started=1
}

failed() {
  printf '==> %s failed; the last 20 lines of %s:\n' "$1" "$log" >&2
  tail -n 20 "$log" >&2
  exit 1
}

logged() {
  start_log
  "$@" >>"$log" 2>&1 </dev/null
}

missing_packages() {
  local -A installed=()
  local p
  while read -r p; do installed[$p]=1; done < <(
    dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "$@" 2>/dev/null | awk '$1 == "ii" { print $2 }')
  for p in "$@"; do
    [ -n "${installed[$p]:-}" ] || printf '%s\n' "$p"
  done
}

# Without root and without a way to become root, say what to run instead. The exit status is
# not 127, so it is not mistaken for a command that does not exist.
cannot_install() {
  say "$(packages_word ${#missing[@]}) missing, and installing needs root: ${missing[*]}"
  say "Install them as root (su asks for root's password), then run this command again:"
  printf "    su -c 'apt-get update && apt-get install -y --no-install-recommends %s'\n" "${missing[*]}"
  exit 1
}

# install_packages PACKAGE...: installs those that are missing, with sudo where not root.
install_packages() {
  say "Checking packages"
  local -a missing as_root=()
  mapfile -t missing < <(missing_packages "$@")
  [ ${#missing[@]} -gt 0 ] || return 0
  if ! command -v apt-get >/dev/null; then
    say "These commands set up Debian 12 with apt-get; install these by hand: ${missing[*]}"
    exit 1
  fi
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || cannot_install
    if ! sudo -n true 2>/dev/null; then
      say "Installing needs root: sudo will ask for your password"
      sudo -v || cannot_install
    fi
    as_root=(sudo)
  fi
  say "Installing $(packages_word ${#missing[@]}): ${missing[*]}"
  logged "${as_root[@]}" apt-get update || failed "Updating the package lists"
  logged "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends "${missing[@]}" || failed "Installing packages"
}

# configure [cmake arguments...]
configure() {
  say "Configuring $build"
  logged cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" || failed "Configuring"
}

# Appends Ninja's output to the log; on a terminal, keeps its progress on the step's line.
ninja_progress() {
  local line
  while IFS= read -r line; do
    printf '%s\n' "$line" >&3
    if [ -t 1 ] && [[ $line =~ ^\[([0-9]+/[0-9]+)\]\  ]]; then
      printf '\r==> %s [%s]' "$1" "${BASH_REMATCH[1]}"
    fi
  done 3>>"$log"
}

# build_targets WHAT [ninja targets...]
build_targets() {
  local what="Building $1"
  shift
  start_log
  if [ -t 1 ]; then printf '==> %s' "$what"; else say "$what"; fi
  local status=0
  NINJA_STATUS='[%f/%t] ' ninja -C "$build" "$@" 2>&1 </dev/null | ninja_progress "$what" || status=$?
  if [ -t 1 ]; then printf '\n'; fi
  [ "$status" -eq 0 ] || failed "$what"
}

# setup_tests BUILD_DIR [cmake arguments...]: what the tests need, and everything built.
setup_tests() {
  use_build_dir "$1"
  shift
  local -a packages=("${console_packages[@]}" "${test_packages[@]}")
  local bench=ON arg
  for arg in "$@"; do
    case $arg in -DQUORVANE_BUILD_BENCH=* | -DQUORVANE_BUILD_BENCH:BOOL=*) bench=${arg#*=} ;; esac
  done
  case ${bench^^} in OFF | 0 | NO | FALSE | N) ;; *) packages+=("${bench_packages[@]}") ;; esac
  install_packages "${packages[@]}"
  # Stated, since start-console.sh may have set up the folder with both off.
  configure -DQUORVANE_BUILD_TESTS=ON -DQUORVANE_BUILD_BENCH=ON "$@"
  build_targets "everything"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  setup_tests "${1:-$top/build}" "${@:2}"
fi
