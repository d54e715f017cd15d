#!/usr/bin/env bash
# Renders the desktop program's windows offscreen and writes them as PNGs into OUTDIR:
#   bash scripts/screenshots.sh OUTDIR
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: scripts/screenshots.sh OUTDIR" >&2; exit 2; }
out="$(mkdir -p "$1" && cd "$1" && pwd)"
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${MORVANE_BUILD_DIR:-build/dev}
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" -j "$(nproc)" --target morvane-screenshots
QT_QPA_PLATFORM=offscreen "$build/bin/morvane-screenshots" "$out"
# main@2x.png and viewer-hits@2x.png, as a screen of two pixels per pixel shows them.
QT_QPA_PLATFORM=offscreen "$build/bin/morvane-screenshots" "$out" --dense
