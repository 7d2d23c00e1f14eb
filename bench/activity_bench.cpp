// orvik-frame activity of a folder of 200 frames, each run a whole process: on one thread
// (--jobs 1) and with its default jobs (one a processor), both from an empty cache, and again
// with the folder's activity already in the cache; beside orvik-frame check --jobs 1 of the
// same folder, which decodes every frame in full; and orvik-frame --version, the start every
// run pays. The iteration time is the wall time a user
// waits; the counter cpu_ms the processor time the process used. Frames are 640 x 480 and
// 1280 x 1024 at quality 75: a still photographic scene under sensor grain that changes from
// frame to frame, footage where nothing happens, which costs what any footage costs.
//
// ORVIK_BENCH_QUICK set: 20 frames in place of 200 (CI runs it so).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bench/bench_frames.h"
#include "bench/process_runs.h"
#include "testing/support/temp_tree.h"

namespace orvik::bench {
namespace {

// The user's cache folder of every run, emptied where a run is to start without the index.
test::TempTree& CacheTree() {
    static test::TempTree tree;
    return tree;
}

void EmptyCache() {
    std::filesystem::remove_all(CacheTree().Path("orvik-view"));
}

// A recording of one date folder, made once a process for each size.
std::string RecordingOf(int width, int height) {
    static std::map<std::pair<int, int>, std::unique_ptr<test::TempTree>> made;
    std::unique_ptr<test::TempTree>& tree = made[{width, height}];
    if (tree == nullptr) {
        tree = std::make_unique<test::TempTree>();
        WriteBatchDateFolder(tree->Path("rec"), width, height);
    }
    return tree->Path("rec");
}

std::vector<std::string> Line(std::vector<std::string> words, int width, int height) {
    words.insert(words.begin(), ORVIK_FRAME_PROGRAM);
    words.push_back(RecordingOf(width, height));
    return words;
}

void BM_Activity(benchmark::State& state, int width, int height,
                 const std::vector<std::string>& jobs) {
    std::vector<std::string> words = {"activity"};
    words.insert(words.end(), jobs.begin(), jobs.end());
    RunProgramTimed(state, Line(words, width, height), BatchFrameCount(), EmptyCache);
}

void BM_ActivityCached(benchmark::State& state, int width, int height) {
    const std::vector<std::string> line = Line({"activity"}, width, height);
    EmptyCache();
    if (!RunProgramOnce(line)) {
        state.SkipWithError("the run that fills the cache failed");
        return;
    }
    RunProgramTimed(state, line, BatchFrameCount());
}

void BM_Check(benchmark::State& state, int width, int height) {
    RunProgramTimed(state, Line({"check", "--jobs", "1"}, width, height), BatchFrameCount());
}

// The floor of every whole run: the process started, its libraries loaded, and ended.
void BM_Start(benchmark::State& state) {
    RunProgramTimed(state, {ORVIK_FRAME_PROGRAM, "--version"}, 0);
}

void RegisterAll() {
    setenv("XDG_CACHE_HOME", CacheTree().Root().c_str(), 1);
    benchmark::RegisterBenchmark("Activity/start", BM_Start)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
    for (const PictureSize size : kPlaybackSizes) {
        const std::string name =
            "Activity/" + std::to_string(size.width) + "x" + std::to_string(size.height) + "/";
        const std::vector<std::string> one = {"--jobs", "1"};
        for (auto* run : {
                 benchmark::RegisterBenchmark((name + "jobs1").c_str(), BM_Activity, size.width,
                                              size.height, one),
                 benchmark::RegisterBenchmark((name + "default").c_str(), BM_Activity, size.width,
                                              size.height, std::vector<std::string>{}),
                 benchmark::RegisterBenchmark((name + "cached").c_str(), BM_ActivityCached,
                                              size.width, size.height),
                 benchmark::RegisterBenchmark((name + "check-jobs1").c_str(), BM_Check, size.width,
                                              size.height),
             }) {
            run->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
        }
    }
}

}  // namespace
}  // namespace orvik::bench

int main(int argc, char** argv) {
    return orvik::bench::RunBenchmarks(argc, argv, orvik::bench::RegisterAll);
}
