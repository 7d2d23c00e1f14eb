#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour sanitizers on)
# and runs each for the given number of seconds, 60 by default, one after the other.
#   scripts/fuzz.sh [seconds] [target ...]
# targets: frame_fuzz scan_fuzz settings_fuzz capture_time_fuzz range_fuzz
# Seeds are made afresh by fuzz_seeds; each target's corpus grows in build/fuzz/corpus and
# is kept between runs. A crash leaves its input in build/fuzz/artifacts and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
if ((${#targets[@]} == 0)); then
    targets=(frame_fuzz scan_fuzz settings_fuzz capture_time_fuzz range_fuzz)
fi

build=build/fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORVIK_BUILD_FUZZ=ON -DORVIK_SANITIZE=ON -DORVIK_BUILD_TESTS=OFF -DORVIK_BUILD_BENCH=OFF \
    -DORVIK_BUILD_GUI=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target fuzz_seeds "${targets[@]}"

rm -rf "$build/seeds"
"$build/fuzz/fuzz_seeds" "$build/seeds"
mkdir -p "$build/artifacts"

export QT_QPA_PLATFORM=offscreen
for target in "${targets[@]}"; do
    kind=${target%_fuzz}
    corpus=$build/corpus/$kind
    mkdir -p "$corpus"
    max_len=4096
    if [[ $kind == frame ]]; then
        max_len=65536  # room for the larger seed frames
    fi
    echo "== $target for ${seconds}s =="
    "$build/fuzz/$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
        -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$build/artifacts/$kind-" \
        "$corpus" "$build/seeds/$kind"
done
