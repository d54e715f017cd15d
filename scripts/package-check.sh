#!/usr/bin/env bash
# Makes the .deb and the portable .tar.gz from a finished build, installs the .deb, runs
# the installed programs as an unprivileged user with a fresh home, checks where their
# files went, and removes the package again.
# usage: bash scripts/package-check.sh [BUILD_DIR]   (default build/ci; needs root or sudo)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/ci}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
fail() { echo "package-check: $*" >&2; exit 1; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
app_id=$(sed -n 's/^Icon=//p' "$build/packaging/"*.desktop)
rm -f "$build"/morvane_*.deb "$build"/morvane-*-portable.tar.gz
(cd "$build" && cpack -G "DEB;TGZ" > /dev/null)
deb=$(realpath "$build/morvane_${version}_"*.deb)
tarball="$build/morvane-${version}-linux-portable.tar.gz"

# The portable folder: the programs, the export's module and the shipped files, nothing else.
listed=$(tar tzf "$tarball" | sed 's|^[^/]*/||' | grep -v '^$' | sort | tr '\n' ' ')
[ "$listed" = "DeathMsgs.txt GameTexts.txt morvane morvane-cli morvane-console morvane-export.so stats.ini " ] ||
  fail "the portable archive holds: $listed"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "no Qt dependencies worked out"
[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "Recommends is not qt6-wayland"
# grep -q reads from variables: with pipefail, a writer it stops early would fail the step.
contents=$(dpkg-deb -c "$deb")
grep -q "usr/share/man/man1/morvane-cli.1.gz" <<< "$contents" || fail "no manual page"
grep -q "usr/lib/morvane/morvane-export.so" <<< "$contents" || fail "no export module"

if dpkg-query -W -f='${Status}' morvane 2>/dev/null | grep -q "install ok installed"; then
  echo "package-check: replacing the installed morvane package, and removing it afterwards"
fi
remove() { "${as_root[@]}" apt-get remove -y -qq morvane > /dev/null 2>&1 || true; }
trap remove EXIT
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
  --reinstall "$deb" > /dev/null

desktop-file-validate "/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "/usr/share/metainfo/$app_id.metainfo.xml" > /dev/null
if command -v update-mime-database > /dev/null; then
  grep -q "application/x-morvane-game:\*\.stg" /usr/share/mime/globs2 || fail "*.stg is no known type"
fi

# A user who never ran Morvane: an empty home of its own, and no privileges.
home=$(mktemp -d)
trap 'remove; rm -rf "$home"' EXIT
cp samples/ts_two_maps.log "$home/"
run=(env -i "HOME=$home" PATH=/usr/bin:/bin)
if [ "$(id -u)" -eq 0 ]; then
  chown -R 65534:65534 "$home"
  run=(setpriv --reuid=65534 --regid=65534 --clear-groups "${run[@]}")
fi
data="$home/.local/share/morvane"

[ "$("${run[@]}" morvane-cli --version)" = "morvane-cli $version" ] || fail "morvane-cli --version"
[ "$("${run[@]}" morvane --version)" = "morvane $version" ] || fail "morvane --version"
[ "$("${run[@]}" morvane-console --version)" = "morvane-console $version" ] || fail "morvane-console --version"
help=$("${run[@]}" morvane-cli --help)
grep -q "Data folder in use: $data (the user's data folder)" <<< "$help" ||
  fail "--help does not name the data folder"
"${run[@]}" morvane-cli parse "$home/ts_two_maps.log" --nick Morv --save "$home/tonight.stg" > /dev/null
for file in stats.ini DeathMsgs.txt GameTexts.txt; do
  cmp -s "/usr/share/morvane/$file" "$data/$file" || fail "$file was not seeded into the data folder"
done
"${run[@]}" morvane-cli profile create Morv --nick Morv > /dev/null
# A parsed log holds no time, which a profile needs; the monitor's saved game has it
# (the player's nickname and nine minutes on each map, written as the monitor writes them).
refused=$("${run[@]}" morvane-cli profile add Morv "$home/tonight.stg" 2>&1 || true)
grep -q "Only maps with time information" <<< "$refused" || fail "a game without time was not refused"
awk 'BEGIN { RS = "\r\n"; ORS = "\r\n" } /^\[MAP\]$/ { map = NR }
     map && NR == map + 2 { $0 = "Morv" } map && NR == map + 6 { $0 = "540" } { print }' \
  "$home/tonight.stg" > "$home/monitored.stg"
"${run[@]}" morvane-cli profile add Morv "$home/monitored.stg" > /dev/null
profile=$("${run[@]}" morvane-cli profile show Morv)
grep -q "^Games: 1" <<< "$profile" || fail "the game is not in the profile"
[ -f "$data/Morv.mrv" ] || fail "the profile is not in the data folder"
# The export, a module that morvane-cli loads from lib/morvane/ for that verb alone.
"${run[@]}" morvane-cli export "$home/monitored.stg" -o "$home/report/tonight.html" ||
  fail "morvane-cli export failed"
[ -s "$home/report/tonight.html" ] && [ -s "$home/report/tonight_hits.bmp" ] || fail "no report was written"

# The desktop program: the about window of the first start, then the saved game in the
# viewer, each closed by the program's own hook for unattended runs.
shown=$("${run[@]}" QT_QPA_PLATFORM=offscreen MORVANE_CLOSE_AFTER_MS=1000 \
        timeout 60 morvane "$home/monitored.stg" 2> "$home/morvane.err") ||
  fail "morvane $home/monitored.stg failed: $(cat "$home/morvane.err")"
[ "$shown" = "$(printf 'closing AboutWindow\nclosing StatsViewerWindow\nclosing the program')" ] ||
  fail "morvane showed: $shown"
grep -qi "^InitiationCount=1" "$data/stats.ini" || fail "the start was not counted in the data folder"

# Nothing was written beside the programs or the shipped files.
[ -z "$(dpkg -V morvane)" ] || fail "installed files changed: $(dpkg -V morvane)"
[ "$(ls /usr/share/morvane | tr '\n' ' ')" = "DeathMsgs.txt GameTexts.txt stats.ini " ] ||
  fail "files appeared in /usr/share/morvane"
remove
[ ! -e /usr/bin/morvane ] || fail "the package did not go"
echo "package-check: $(basename "$deb") installs, runs from a fresh home and goes"
