#!/usr/bin/env bash
# Builds the benchmarks and runs them all, then writes bench/RESULTS.md from that one run.
#
#   scripts/bench.sh           every benchmark, 5 repetitions with their order shuffled, and
#                              the report (the scan's 1,000,000-file tree is made once, under
#                              $TMPDIR or /tmp, and reused)
#   scripts/bench.sh --quick   every benchmark once, briefly, on small inputs, so that none
#                              can rot; no report (scripts/test.sh runs this)
# ORVIK_BUILD_DIR names the build folder (default build/release, the one scripts/test.sh uses).
set -euo pipefail
cd "$(dirname "$0")/.."

quick=0
if [[ ${1:-} == --quick ]]; then
    quick=1
elif [[ $# -gt 0 ]]; then
    sed -n '2,9p' "$0" >&2
    exit 2
fi

# The sources as they are built now, for the report.
revision=$(git describe --always --dirty=' with uncommitted changes' 2>/dev/null || echo unknown)

scripts/install-deps.sh
build=${ORVIK_BUILD_DIR:-build/release}
cmake -S . -B "$build" -G Ninja -DORVIK_WERROR=ON >/dev/null
programs=(colour_bench decoder_bench frame_bench adjustments_bench scan_bench)
if grep -q '^ORVIK_BUILD_GUI:BOOL=ON' "$build/CMakeCache.txt"; then
    programs+=(tick_bench timeline_bench startup_bench export_bench check_bench month_bench activity_bench)
fi
cmake --build "$build" -j "$(nproc)" --target "${programs[@]}"

export QT_QPA_PLATFORM=offscreen
if ((quick)); then
    export ORVIK_BENCH_QUICK=1 ORVIK_SCAN_BENCH_FILES=2400
    # A benchmark that skips itself with an error still exits 0: its output is searched, so
    # that one which no longer runs fails the run.
    failed=()
    for program in "${programs[@]}"; do
        echo "== $program (quick) =="
        log=$("$build/bench/$program" --benchmark_min_time=0.01 2>&1) || failed+=("$program")
        echo "$log"
        if grep -q 'ERROR OCCURRED' <<<"$log"; then
            failed+=("$program")
        fi
    done
    if ((${#failed[@]})); then
        echo "benchmarks that did not run: ${failed[*]}" >&2
        exit 1
    fi
    exit 0
fi

repetitions=5
min_time=0.5
results=$build/bench-results
rm -rf "$results"
mkdir -p "$results"
for program in "${programs[@]}"; do
    echo "== $program =="
    "$build/bench/$program" --benchmark_repetitions=$repetitions \
        --benchmark_min_time=$min_time --benchmark_enable_random_interleaving=true \
        --benchmark_report_aggregates_only=true \
        --benchmark_out="$results/$program.json" --benchmark_out_format=json
done
ORVIK_BENCH_SOURCE="commit $revision" \
ORVIK_BENCH_SETTINGS="$repetitions repetitions of at least $min_time s each, in shuffled order" \
    python3 scripts/bench_report.py "$results" bench/RESULTS.md bench/NOTES.md
echo "Wrote bench/RESULTS.md"
