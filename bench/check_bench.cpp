// orvik-frame check of a folder of 200 frames, each run a whole process: on one thread
// (--jobs 1) and with its default jobs (one a processor), beside jpeg_files_to_bgr, a plain
// libjpeg-turbo program decoding the same coded data, rewrapped as .jpg files, to BGR on one
// thread. The iteration time is the wall time a user waits; the counter cpu_ms is the
// processor time the process used, which the default-jobs run spreads over processors.
// Frames are 640 x 480 and 1280 x 1024 at quality 75: a still photographic scene under
// sensor grain that changes from frame to frame, so that no two frames are alike.
//
// ORVIK_BENCH_QUICK set: 20 frames in place of 200 (CI runs it so).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bench/bench_frames.h"
#include "bench/process_runs.h"
#include "jpeg/frame_jpeg.h"
#include "testing/support/temp_tree.h"

namespace orvik::bench {
namespace {

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
    std::vector<std::uint8_t> bytes(std::filesystem::file_size(path));
    std::ifstream(path, std::ios::binary)
        .read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

// A recording of one date folder of frames and, beside it, the folder of their coded data
// as standard JPEG files.
struct CheckFolders {
    test::TempTree tree;
    std::string recording = tree.Path("rec");
    std::string jpegs = tree.Path("jpeg");
};

// Made once a process for each size.
const CheckFolders& FoldersOf(int width, int height) {
    static std::map<std::pair<int, int>, std::unique_ptr<CheckFolders>> made;
    std::unique_ptr<CheckFolders>& folders = made[{width, height}];
    if (folders == nullptr) {
        folders = std::make_unique<CheckFolders>();
        const std::vector<std::string> frames =
            WriteBatchDateFolder(folders->recording, width, height);
        for (const std::string& path : frames) {
            const std::vector<std::uint8_t> frame = ReadWholeFile(path);
            folders->tree.WriteFile("jpeg/" + std::filesystem::path(path).stem().string() + ".jpg",
                                    RewrapAsJpeg(frame.data(), frame.size()));
        }
    }
    return *folders;
}

void BM_Check(benchmark::State& state, int width, int height,
              const std::vector<std::string>& jobs) {
    std::vector<std::string> argv = {ORVIK_FRAME_PROGRAM, "check"};
    argv.insert(argv.end(), jobs.begin(), jobs.end());
    argv.push_back(FoldersOf(width, height).recording);
    RunProgramTimed(state, argv, BatchFrameCount());
}

void BM_LibjpegTurbo(benchmark::State& state, int width, int height) {
    RunProgramTimed(state, {JPEG_FILES_TO_BGR_PROGRAM, FoldersOf(width, height).jpegs},
                    BatchFrameCount());
}

void RegisterAll() {
    for (const PictureSize size : kPlaybackSizes) {
        const std::string name =
            "Check/" + std::to_string(size.width) + "x" + std::to_string(size.height) + "/";
        // Whole runs of a fraction of a second to a few seconds: a few iterations each.
        for (auto* run : {
                 benchmark::RegisterBenchmark((name + "jobs1").c_str(), BM_Check, size.width,
                                              size.height, std::vector<std::string>{"--jobs", "1"}),
                 benchmark::RegisterBenchmark((name + "default").c_str(), BM_Check, size.width,
                                              size.height, std::vector<std::string>{}),
                 benchmark::RegisterBenchmark((name + "libjpeg-turbo").c_str(), BM_LibjpegTurbo,
                                              size.width, size.height),
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
