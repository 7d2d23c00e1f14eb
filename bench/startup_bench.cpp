// Start-up to the first frame shown: orvik-view on the demo recording (what orvik-mkrec
// writes by default) under the offscreen platform, with --quit-after-first-frame. The time
// is the wall time from starting the process to its end, which holds loading the program
// and its libraries, the window, the scan, the first frame's load and the wait for the
// playback tick that presents it, and the teardown; the viewer's own figure, from the start
// of main to the presented frame, is reported beside it as first_frame_ms.
//
// Beside it, the start of orvik-frame and of the plain libjpeg-turbo program check_bench
// times it against, each run as a whole process that does none of its work
// (`orvik-frame --version`; the libjpeg-turbo program on an empty folder): loading the
// program and its libraries, and ending it. The counter cpu_ms is its processor time.
//
// ORVIK_BENCH_QUICK set: a two-second recording in place of the demo's (CI runs it so).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/process_runs.h"
#include "testing/recording/recording_options.h"
#include "testing/recording/recording_writer.h"
#include "testing/support/temp_tree.h"

namespace orvik::bench {
namespace {

bool Quick() {
    return std::getenv("ORVIK_BENCH_QUICK") != nullptr;
}

// Runs the viewer once; its wall time in seconds, and the viewer's own figure in
// milliseconds (negative when it printed none).
double StartViewer(const std::string& command, double& firstFrameMs) {
    const auto start = std::chrono::steady_clock::now();
    FILE* viewer = popen(command.c_str(), "r");
    if (viewer == nullptr) {
        return -1;
    }
    firstFrameMs = -1;
    char line[128];
    while (std::fgets(line, sizeof line, viewer) != nullptr) {
        std::sscanf(line, "first frame presented after %lf ms", &firstFrameMs);
    }
    const int status = pclose(viewer);
    const double took =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return status == 0 ? took : -1;
}

void BM_StartToFirstFrame(benchmark::State& state) {
    test::TempTree tree;
    RecordingOptions options;
    options.output = tree.Path("demo-recording");
    if (Quick()) {
        options.folders = 1;
        options.seconds = 2;
    }
    RecordingSummary summary;
    std::string error;
    if (!WriteRecording(options, summary, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    // The settings store under the temporary tree: the user's stored settings stay out of it.
    const std::string command =
        "QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME='" + tree.Path("config") +
        "' '" ORVIK_VIEW_PROGRAM "' --quit-after-first-frame '" + options.output + "'";
    double firstFrameTotal = 0;
    for (auto _ : state) {
        double firstFrameMs = 0;
        const double took = StartViewer(command, firstFrameMs);
        if (took < 0 || firstFrameMs < 0) {
            state.SkipWithError("the viewer did not present a first frame and end");
            break;
        }
        state.SetIterationTime(took);
        firstFrameTotal += firstFrameMs;
    }
    state.counters["first_frame_ms"] =
        firstFrameTotal /
        static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["frames"] = static_cast<double>(summary.frames);
}
BENCHMARK(BM_StartToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// Many short runs: a start takes a few milliseconds, and its spread is the machine's.
constexpr int kStartRuns = 20;

void BM_ProgramStart(benchmark::State& state, const std::vector<std::string>& argv) {
    RunProgramTimed(state, argv, 0);
}
BENCHMARK_CAPTURE(BM_ProgramStart, orvik_frame,
                  std::vector<std::string>{ORVIK_FRAME_PROGRAM, "--version"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(kStartRuns);

void BM_ProgramStartInEmptyFolder(benchmark::State& state, const std::string& program) {
    const test::TempTree empty;
    RunProgramTimed(state, {program, empty.Root()}, 0);
}
BENCHMARK_CAPTURE(BM_ProgramStartInEmptyFolder, libjpeg_turbo,
                  std::string(JPEG_FILES_TO_BGR_PROGRAM))
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(kStartRuns);

}  // namespace
}  // namespace orvik::bench

BENCHMARK_MAIN();
