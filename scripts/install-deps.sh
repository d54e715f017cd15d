#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when they are missing,
# and any others named as arguments.
# usage: scripts/install-deps.sh [PACKAGE...]
set -euo pipefail

packages=(cmake ninja-build g++ make libgtest-dev libgmock-dev libbenchmark-dev
          clang libclang-rt-14-dev g++-mingw-w64-x86-64-posix python3
          qt6-base-dev qt6-multimedia-dev fonts-dejavu-core
          dpkg-dev file help2man desktop-file-utils appstream
          # the real engine the console bridge is tested against
          ioquake3-server
          "$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Run as root, or install: ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
