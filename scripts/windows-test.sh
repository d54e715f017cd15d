#!/usr/bin/env bash
# The Windows side of the checks. Cross-builds with MinGW-w64, statically linked,
# morvane-cli.exe, the fake game with its console window and the test programs of the
# layers below the user interface, and runs the tests under Wine (the console window's
# on a virtual display). Then gives the same commands to the Linux and the Windows
# morvane-cli, on every sample log, and compares what they print and write byte for
# byte. Incremental: a second run rebuilds only what changed.
#
# usage: scripts/windows-test.sh [LINUX_BIN]
#   LINUX_BIN  the Linux build's programs to compare with; without it, the Linux tool
#              is brought up to date in build/ci, the build scripts/test.sh makes
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
work=$root/build/windows
jobs=$(nproc)

bash scripts/install-deps.sh wine64 xvfb googletest
if [ $# -ge 1 ]; then
  linux_bin=$1
else
  linux_bin=build/ci/bin
  echo "== The Linux tool to compare with"
  if [ ! -f build/ci/CMakeCache.txt ]; then
    cmake -S . -B build/ci -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_WERROR=ON \
      -DMORVANE_BENCH=ON > /dev/null
  fi
  cmake --build build/ci -j "$jobs" --target morvane-cli > /dev/null
fi
if [ ! -x "$linux_bin/morvane-cli" ]; then
  echo "windows-test: $linux_bin/morvane-cli is missing: build the Linux tool first" >&2
  exit 1
fi
linux_cli=$(cd "$linux_bin" && pwd)/morvane-cli

wine=/usr/lib/wine/wine64
export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
display_pid=
cleanup() {
  # This prefix's server and the programs it keeps, then the display.
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  if [ -n "$display_pid" ]; then kill "$display_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

echo "== GoogleTest for MinGW"
if [ ! -f "$work/gtest/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$work/googletest" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$work/gtest" > /dev/null
  cmake --build "$work/googletest" -j "$jobs" > /dev/null
  cmake --install "$work/googletest" > /dev/null
fi

echo "== Wine and a virtual display"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot --init
  # A crash ends the program with its code instead of waiting in a debugger.
  "$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d "" /f > /dev/null
  "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f > /dev/null
fi
exec 3< <(Xvfb -displayfd 1 -nolisten tcp -screen 0 800x600x24 2> "$work/xvfb.log" & echo "pid $!")
read -r _ display_pid <&3
read -r display <&3
export DISPLAY=":$display"

echo "== Build for Windows"
cmake -S . -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DMORVANE_QT=OFF \
  -DMORVANE_WERROR=ON -DGTest_DIR="$work/gtest/lib/cmake/GTest" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$wine" > /dev/null
cmake --build "$work/build" -j "$jobs"

echo "== Tests under Wine"
ctest --test-dir "$work/build" -j "$jobs" --output-on-failure | tee "$work/tests.log"

echo "== The same commands on both systems"
compared=0
same() {  # NAME: the two folders' NAME are the same bytes
  if ! cmp -s "$work/compare/linux/$1" "$work/compare/windows/$1"; then
    echo "windows-test: $1 differs between the Linux and the Windows morvane-cli" >&2
    diff <(od -c "$work/compare/linux/$1") <(od -c "$work/compare/windows/$1") | head -n 20 >&2
    exit 1
  fi
  compared=$((compared + 1))
}
both() {  # OUT ARGS...: each tool run in its own data folder, its standard output to OUT
  local out=$1
  shift
  (cd "$work/compare/linux" && "$linux_cli" --dir . "$@" > "$out")
  (cd "$work/compare/windows" && "$wine" "$work/build/bin/morvane-cli.exe" --dir . "$@" > "$out")
  same "$out"
}
rm -rf "$work/compare"
for system in linux windows; do
  mkdir -p "$work/compare/$system"
  cp data/stats.ini data/DeathMsgs.txt data/GameTexts.txt "$work/compare/$system/"
  cp samples/*.log "$work/compare/$system/"
done
for log in samples/*.log; do
  game=$(basename "$log" .log)
  both "$game.json" parse "$game.log" --nick Morv --game-name "$game" --save "$game.stg" --json
  same "$game.stg"
  both "$game.show.txt" show "$game.stg"
  both "$game.show.json" show "$game.stg" --json
done
# A profile of the saved games, each map given what a live capture records and a parsed
# log has not: the time, and the player's own nickname (a profile takes only such maps).
both create.txt profile create Joe --nick Morv --notes "Café"
for log in samples/*.log; do
  game=$(basename "$log" .log)
  for system in linux windows; do
    awk '/^\[MAP\]$/ { line = 0 }
         { line++; print (line == 3 ? "Morv" : line == 7 ? 600 : $0) }' ORS='\r\n' RS='\r\n' \
      "$work/compare/$system/$game.stg" > "$work/compare/$system/$game.timed.stg"
  done
  both "$game.add.txt" profile add Joe "$game.timed.stg"
  same Joe.mrv
done
both profile.json profile show Joe --json
both remove.txt profile remove Joe 2 1
same Joe.mrv
both list.txt profile list
echo "same results: $compared files compared, all the same"

failed=$(sed -n 's/.* \([0-9]*\) tests failed out of \([0-9]*\).*/\1/p' "$work/tests.log")
total=$(sed -n 's/.* tests failed out of \([0-9]*\).*/\1/p' "$work/tests.log")
echo "tests: $((total - failed)) passed, $failed failed"
