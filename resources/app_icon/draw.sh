#!/usr/bin/env bash
# Draws the program's icon again into this folder, and packs its sizes into the Windows
# icon: bash resources/app_icon/draw.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${1:-$root/build/dev}"
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja > /dev/null
cmake --build "$build" --target morvane-app-icon
QT_QPA_PLATFORM=offscreen "$build/bin/morvane-app-icon" "$root/resources/app_icon"
python3 "$root/resources/app_icon/make_ico.py" "$root/resources/app_icon"
