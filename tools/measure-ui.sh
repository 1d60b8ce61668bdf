#!/usr/bin/env bash
# Measures the desktop window: process start to the first shown (painted) window, and
# OK pressed to the repainted chart. Not a test: it prints figures to compare with the
# goals (start-up under 400 ms, OK to repainted chart under 16 ms).
#
#   tools/measure-ui.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR (default build-ui) must hold a built ui/measure/ostrelix-measure
# (ninja -C BUILD_DIR ostrelix-measure). The window runs on a private X server (Xvfb,
# 1600x900) with a window manager when one is installed (openbox), in a scratch
# folder holding copies of INF/ and TANK_GP/, once per language.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build-ui}" && pwd)
runs=${2:-5}
measure=$build/ui/measure/ostrelix-measure
[[ -x $measure ]] || { echo "build it first: ninja -C $build ostrelix-measure" >&2; exit 1; }
command -v Xvfb >/dev/null || { echo "Xvfb is needed (package xvfb)" >&2; exit 1; }

scratch=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$scratch"
}
trap cleanup EXIT

# A display number nobody uses.
display=90
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1600x900x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=":$display"
for _ in $(seq 50); do [[ -e /tmp/.X11-unix/X$display ]] && break; sleep 0.1; done
if command -v openbox >/dev/null; then
    openbox >/dev/null 2>&1 &
    pids+=($!)
    sleep 0.5
else
    echo "note: no window manager (openbox) installed: the window is not maximised" >&2
fi

cp -r "$here/INF" "$here/TANK_GP" "$scratch/"
cd "$scratch"
unset QT_QPA_PLATFORM
export XDG_RUNTIME_DIR=$scratch/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

for flag in 0 1; do
    language=$([[ $flag == 0 ]] && echo English || echo Chinese)
    printf '%s\r\n%s\r\n' "$flag" 5 > INF/INF.TXT
    # One run to warm the file cache (fonts, Qt plugins), then the timed runs.
    "$measure" --repeats=1 >/dev/null
    starts=()
    for _ in $(seq "$runs"); do
        launched=$(date +%s%N)
        out=$("$measure" --launched-ns="$launched" --repeats=50)
        starts+=("$(awk '/^startup_ms/ {print $2}' <<<"$out")")
        ok=$(grep '^ok_to_chart_ms' <<<"$out")
    done
    sorted=$(printf '%s\n' "${starts[@]}" | sort -n | tr '\n' ' ')
    echo "$language: start-up ms (sorted, $runs runs): $sorted"
    echo "$language: last run ${ok}"
done
