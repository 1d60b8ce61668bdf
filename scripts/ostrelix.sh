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
  cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils
  desktop-file-utils appstream dpkg-dev
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

# The print queue that the printing test prints on: a cups-pdf queue writing each job
# as a PDF file into /var/spool/ostrelix-pdf/<user>. It becomes the default printer
# only where the system has none, so a real default printer is never replaced (the
# test then says it is skipped). Starts CUPS without a service manager when it is not
# running, and changes only what is missing. pdftocairo turns the job into PostScript
# for the queue with the page's text kept as text, so the printed PDF can be read back.
print_queue=Ostrelix-PDF
cups_running() { lpstat -r 2>/dev/null | grep -q 'is running'; }

start_print_queue() {
  if ! cups_running; then
    as_root cupsd || return 1
    local _
    for _ in $(seq 50); do cups_running && break; sleep 0.2; done
    cups_running || return 1
  fi
  local conf=/etc/cups/cups-pdf-ostrelix.conf
  local out='Out /var/spool/ostrelix-pdf/${USER}'
  if [ "$(cat "$conf" 2>/dev/null)" != "$out" ]; then
    printf '%s\n' "$out" | as_root tee "$conf" >/dev/null || return 1
  fi
  if ! lpstat -v "$print_queue" >/dev/null 2>&1; then
    as_root lpadmin -p "$print_queue" -E -v cups-pdf:/ostrelix \
      -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -o pdftops-renderer-default=pdftocairo || return 1
  fi
  if ! lpstat -d 2>/dev/null | grep -q 'system default destination:'; then
    as_root lpadmin -d "$print_queue" || return 1
  fi
  echo "Printing: $(lpstat -d 2>/dev/null)"
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
    start_print_queue || echo "note: CUPS could not be started; the test that prints through it is skipped"
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
