#!/usr/bin/env bash
# Draws the window art again into this folder: bash resources/window_art/draw.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build/dev}"
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja > /dev/null
cmake --build "$build" --target morvane-window-art
QT_QPA_PLATFORM=offscreen "$build/bin/morvane-window-art" "$root/resources/window_art"
