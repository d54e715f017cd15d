#!/usr/bin/env bash
# Draws the program's icon again into this folder: bash resources/app_icon/draw.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build/dev}"
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja > /dev/null
cmake --build "$build" --target morvane-app-icon
QT_QPA_PLATFORM=offscreen "$build/bin/morvane-app-icon" "$root/resources/app_icon"
