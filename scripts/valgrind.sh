#!/usr/bin/env bash
# Runs the core tests (text, platform, colour, decoder, library, robustness) under
# valgrind's memcheck: any invalid read or write, use of uninitialised memory or definite
# leak fails the run. Uses the normal (unsanitized) build, building the tests if needed.
#   scripts/valgrind.sh [build-dir]      (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/release}
tests=(text_tests platform_tests colour_tests decoder_tests library_tests robustness_tests)

if [[ ! -f $build/CMakeCache.txt ]]; then
    cmake -S . -B "$build" -G Ninja -DORVIK_WERROR=ON
fi
cmake --build "$build" -j "$(nproc)" --target "${tests[@]}"

logs=$build/valgrind
mkdir -p "$logs"
run() {
    local test=$1 binary
    binary=$(find "$build/tests" -type f -name "$test" -perm -u+x | head -n 1)
    if valgrind --tool=memcheck --error-exitcode=1 --leak-check=full \
        --errors-for-leak-kinds=definite --track-origins=yes --quiet \
        "$binary" --gtest_brief=1 >"$logs/$test.log" 2>&1; then
        echo "valgrind clean: $test"
    else
        echo "valgrind FAILED: $test (see $logs/$test.log)"
        tail -n 40 "$logs/$test.log"
        return 1
    fi
}
export -f run
export build logs
printf '%s\n' "${tests[@]}" | xargs -P "$(nproc)" -I{} bash -c 'run {}'
