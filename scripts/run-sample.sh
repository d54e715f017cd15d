#!/usr/bin/env bash
# Builds the command-line tool and parses a bundled sample log: the quickest look at
# what Morvane counts.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVANE_TESTS=OFF > /dev/null
cmake --build build --target morvane-cli morvane_shipped > /dev/null
./build/bin/morvane-cli parse "${1:-samples/ctf_abbey.log}" --nick Morv
