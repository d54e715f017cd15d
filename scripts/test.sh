#!/usr/bin/env bash
# Builds everything and runs every check: the test suites with warnings as errors, the
# Debian package made from that build, installed, run and removed, the same suites
# under AddressSanitizer and UndefinedBehaviorSanitizer, the fuzz targets for a bounded
# time, and the Windows build of the tool and the core's tests, run under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
fuzz_seconds=${MORVANE_FUZZ_SECONDS:-30}

echo "== Build and test (warnings are errors)"
cmake -S . -B build/ci -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_WERROR=ON -DMORVANE_BENCH=ON > /dev/null
cmake --build build/ci -j "$jobs"
ctest --test-dir build/ci -j "$jobs" --output-on-failure | tee build/ci-tests.log

echo "== Package: the .deb installed and run from a fresh home, then removed"
bash scripts/package-check.sh build/ci

echo "== Build and test under sanitizers"
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMORVANE_WERROR=ON -DMORVANE_SANITIZE=ON > /dev/null
cmake --build build/sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/sanitize -j "$jobs" --output-on-failure | tee build/sanitize-tests.log

echo "== Fuzz targets, ${fuzz_seconds}s each"
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DMORVANE_FUZZ=ON -DMORVANE_DESKTOP=OFF > /dev/null
cmake --build build/fuzz -j "$jobs"
for fuzzer in build/fuzz/bin/*_fuzz; do
  [ -x "$fuzzer" ] || continue
  corpus="build/fuzz/corpus/$(basename "$fuzzer")"
  mkdir -p "$corpus"
  case "$(basename "$fuzzer")" in
    # The sample logs hold every form of console text the interpreter knows, older and later.
    interpreter_fuzz | console_text_fuzz) seeds=(samples) ;;
    # The shipped GameTexts.txt holds a rule of every kind.
    game_texts_fuzz) seeds=(data) ;;
    # The tests' saved games hold every section a saved game has.
    viewer_fuzz) seeds=(tests/data/golden) ;;
    *) seeds=() ;;
  esac
  echo "-- $(basename "$fuzzer")"
  "$fuzzer" -max_total_time="$fuzz_seconds" -max_len=65536 -rss_limit_mb=2048 -print_final_stats=0 \
    "$corpus" "${seeds[@]}" 2>&1 | tail -n 2
done

echo "== Windows: the tool and the core's tests under Wine, the same results as on Linux"
bash scripts/windows-test.sh build/ci/bin
# Every step above stops the script on a failure, so reaching here means all passed.
passed=$(cat build/ci-tests.log build/sanitize-tests.log build/windows/tests.log |
         sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' | awk '{ total += $1 } END { print total }')
echo "All checks passed."
echo "tests: ${passed} passed, 0 failed"
