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

build() {
  cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$root/build"
}

case "${1:-}" in
  run)
    install_missing
    build
    OSTRELIX_PROGRAM="$root/build/ui/ostrelix" OSTRELIX_DATA="$root" \
      exec "$root/scripts/ostrelix-start"
    ;;
  test)
    install_missing
    build
    ctest --test-dir "$root/build" --output-on-failure --timeout 600
    ;;
  *)
    echo "usage: bash scripts/ostrelix.sh run|test" >&2
    exit 64
    ;;
esac
