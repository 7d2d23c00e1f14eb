#!/usr/bin/env bash
# Builds everything and runs every test: the normal build, then the address and
# undefined-behaviour sanitizer build, then the threaded tests under ThreadSanitizer.
# Installs missing packages first.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== normal build =="
cmake -S . -B build/release -G Ninja -DORVIK_WERROR=ON
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs"

echo "== every benchmark once, briefly (no timing) =="
scripts/bench.sh --quick

echo "== sanitizer build =="
cmake -S . -B build/sanitize -G Ninja -DORVIK_WERROR=ON -DORVIK_SANITIZE=ON -DORVIK_BUILD_BENCH=OFF
cmake --build build/sanitize -j "$jobs"
ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

echo "== thread sanitizer build: the threaded tests alone =="
cmake -S . -B build/tsan -G Ninja -DORVIK_WERROR=ON -DORVIK_SANITIZE=thread -DORVIK_BUILD_BENCH=OFF
cmake --build build/tsan -j "$jobs" --target threaded_tests
ctest --test-dir build/tsan -L threaded --output-on-failure -j "$jobs"

echo "== valgrind memcheck of the core tests =="
scripts/valgrind.sh build/release

# Five targets at 40 s each keep the whole run within its budget: the whole script took
# 21 minutes on 2 cores from a fresh clone (builds and tests 4, 7 and 2.5 minutes, valgrind
# 2.5, fuzzing 4).
echo "== fuzz smoke, 40 s a target =="
scripts/fuzz.sh 40
