#!/usr/bin/env bash
# Sets up a Debian 12 machine for Ostrelix, builds it, and starts the program or runs
# every test. Safe to run again: it installs only what is missing and rebuilds only
# what changed. Uses sudo when not run as root.
#
#   bash scripts/ostrelix.sh run    install, build, start the window
#   bash scripts/ostrelix.sh test   install, build, run every test
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-qpa-plugins
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-wqy-microhei
  clang libclang-rt-14-dev
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
  local missing=() p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
  fi
}

# Configures and builds one of the trees of CMakePresets.json.
build() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1"
}

run_tests() {
  ctest --preset "$1"
}

case "${1:-}" in
  run)
    install_missing
    build default
    OSTRELIX_PROGRAM="$root/build/ui/ostrelix" OSTRELIX_DATA="$root" \
      exec "$root/scripts/ostrelix-start"
    ;;
  test)
    install_missing
    # The tests as built for use, then all of them again under AddressSanitizer and
    # UndefinedBehaviorSanitizer, then a short run of every fuzz target.
    for tree in default sanitize fuzz; do
      echo "== $tree"
      build "$tree"
      run_tests "$tree"
    done
    ;;
  *)
    echo "usage: bash scripts/ostrelix.sh run|test" >&2
    exit 64
    ;;
esac
