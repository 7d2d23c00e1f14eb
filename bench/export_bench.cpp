// The clip export. Copy: orvik-frame export writing 1,000 frames of 640 x 480 into a
// Matroska clip, on one worker and on all, beside orvik-frame jpeg writing the same frames
// as JPEG files, each run as its own process (wall time). H.264: the export at 640 x 480
// and 1280 x 1024 (100 frames) with the default crf on one worker and on all, and where
// its time goes:
// decoding a frame to the picture, decoding and converting it to 4:2:0 (the conversion is
// the difference), and encoding a converted picture with libx264, each on its own.
// Frames are five a second of a still photographic scene under sensor grain that changes
// from frame to frame, as a camera in dim light gives them: the grain is what an encoder
// cannot predict, so the figures are not those of a clean synthetic picture.
//
// ORVIK_BENCH_QUICK set: 20 and 10 frames in place of 1,000 and 100 (CI runs it so).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <tuple>

#include "bench/bench_frames.h"
#include "bench/process_runs.h"
#include "export/clip_export.h"
#include "export/clip_stream.h"
#include "library/frame_reader.h"
#include "testing/support/temp_tree.h"

namespace orvik::bench {
namespace {

bool Quick() {
    return std::getenv("ORVIK_BENCH_QUICK") != nullptr;
}

constexpr std::int32_t kFrameInterval = 20;  // hundredths: five frames a second
constexpr int kQuality = 75;

// A recording of one folder at the size, frameCount frames, and its frames in order.
struct BenchRecording {
    test::TempTree tree;
    std::string root;
    std::vector<ClipFrame> frames;
};

const BenchRecording& RecordingOf(int width, int height, int frameCount) {
    static std::map<std::tuple<int, int, int>, std::unique_ptr<BenchRecording>> made;
    std::unique_ptr<BenchRecording>& recording = made[{width, height, frameCount}];
    if (recording == nullptr) {
        recording = std::make_unique<BenchRecording>();
        recording->root = recording->tree.Path("rec");
        WriteGrainyDateFolder(recording->root, width, height, kQuality, frameCount, kFrameInterval);
        CMavFileManager manager;
        char path[kPathCapacity];
        std::snprintf(path, sizeof path, "%s", recording->root.c_str());
        manager.ScanFolderTree(path);
        const std::vector<RecordedFrame> recorded = RecordedFrames(manager.Folders());
        recording->frames = ChooseClipFrames(recorded, {});
    }
    return *recording;
}

int CopyFrameCount() {
    return Quick() ? 20 : 1000;
}

int H264FrameCount() {
    return Quick() ? 10 : 100;
}

// The frames an iteration handles (the report makes frames a second of it and wall time).
void SetFramesCounter(benchmark::State& state, std::size_t frames) {
    state.counters["frames"] = static_cast<double>(frames);
}

// jobs: the options that choose the workers, none for the default.
void BM_CopyExport(benchmark::State& state, const std::vector<std::string>& jobs) {
    const BenchRecording& recording = RecordingOf(640, 480, CopyFrameCount());
    std::vector<std::string> argv = {ORVIK_FRAME_PROGRAM, "export"};
    argv.insert(argv.end(), jobs.begin(), jobs.end());
    argv.insert(argv.end(), {"-o", recording.tree.Path("clip.mkv"), recording.root});
    RunProgramTimed(state, argv, static_cast<int>(recording.frames.size()));
}

void BM_CopyJpeg(benchmark::State& state) {
    const BenchRecording& recording = RecordingOf(640, 480, CopyFrameCount());
    std::vector<std::string> argv = {ORVIK_FRAME_PROGRAM, "jpeg", "-o",
                                     recording.tree.Path("jpegs")};
    for (const ClipFrame& frame : recording.frames) {
        argv.push_back(frame.path);
    }
    RunProgramTimed(state, argv, static_cast<int>(recording.frames.size()));
}

void BM_H264Export(benchmark::State& state, int width, int height, int jobs) {
    const BenchRecording& recording = RecordingOf(width, height, H264FrameCount());
    ExportSettings settings;
    settings.outputPath = recording.tree.Path("clip.mp4");
    settings.codec = ClipCodec::kH264;
    settings.jobs = jobs;
    const std::atomic<bool> cancel{false};
    for (auto _ : state) {
        if (ExportClip(recording.frames, settings, cancel, {}).ending != ExportEnding::kWritten) {
            state.SkipWithError("the export failed");
            break;
        }
    }
    SetFramesCounter(state, recording.frames.size());
}

// The stages, a frame an iteration.
void BM_Decode(benchmark::State& state, int width, int height) {
    const BenchRecording& recording = RecordingOf(width, height, H264FrameCount());
    FrameReader reader(std::nullopt, PictureAdjustments{});
    std::size_t next = 0;
    for (auto _ : state) {
        const ClipFrame& frame = recording.frames[next++ % recording.frames.size()];
        reader.Read(frame.path.c_str(), DecodeDepth::kPicture);
    }
    SetFramesCounter(state, 1);
}

void BM_DecodeAndConvert(benchmark::State& state, int width, int height) {
    const BenchRecording& recording = RecordingOf(width, height, H264FrameCount());
    const auto stream = MakeH264Stream({width, height}, 1000, 23, PictureAdjustments{}, true);
    const auto preparer = stream->MakePreparer();
    std::size_t next = 0;
    for (auto _ : state) {
        const ClipFrame& frame = recording.frames[next++ % recording.frames.size()];
        benchmark::DoNotOptimize(preparer->Prepare(frame));
    }
    SetFramesCounter(state, 1);
}

// Encodes and writes the pictures as one clip, 0.2 s apart.
constexpr std::int64_t kTicksApart = 200;
Status EncodeClip(const std::vector<PreparedFrame>& pictures, FrameSize size,
                  const std::string& out) {
    const auto stream = MakeH264Stream(size, 1000, 23, PictureAdjustments{}, true);
    ClipMuxer muxer;
    if (Status opened = muxer.Open(ContainerFor(out), out); !opened.Ok()) {
        return opened;
    }
    if (Status added = stream->AddTo(muxer); !added.Ok()) {
        return added;
    }
    if (Status started = muxer.WriteHeader(); !started.Ok()) {
        return started;
    }
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        PreparedFrame frame;
        frame.picture.reset(av_frame_clone(pictures[i].picture.get()));
        const std::int64_t ticks = static_cast<std::int64_t>(i) * kTicksApart;
        if (Status shown = muxer.FrameAt(ticks); !shown.Ok()) {
            return shown;
        }
        if (Status written = stream->Write(frame, ticks, muxer); !written.Ok()) {
            return written;
        }
    }
    if (Status finished = stream->Finish(muxer); !finished.Ok()) {
        return finished;
    }
    return muxer.Finish(kTicksApart);
}

// Every picture of the recording, decoded and converted beforehand, encoded and written.
void BM_Encode(benchmark::State& state, int width, int height) {
    const BenchRecording& recording = RecordingOf(width, height, H264FrameCount());
    const auto preparer =
        MakeH264Stream({width, height}, 1000, 23, PictureAdjustments{}, true)->MakePreparer();
    std::vector<PreparedFrame> pictures;
    for (const ClipFrame& frame : recording.frames) {
        pictures.push_back(preparer->Prepare(frame));
    }
    for (auto _ : state) {
        const Status encoded =
            EncodeClip(pictures, {width, height}, recording.tree.Path("encode.mkv"));
        if (!encoded.Ok()) {
            state.SkipWithError(encoded.Why().c_str());
            break;
        }
    }
    SetFramesCounter(state, pictures.size());
}

void RegisterAll() {
    // Whole runs of the tool: a few iterations of about a second each.
    for (auto* copy : {
             benchmark::RegisterBenchmark("ExportCopy/640x480/export-jobs1", BM_CopyExport,
                                          std::vector<std::string>{"--jobs", "1"}),
             benchmark::RegisterBenchmark("ExportCopy/640x480/export", BM_CopyExport,
                                          std::vector<std::string>{}),
             benchmark::RegisterBenchmark("ExportCopy/640x480/jpeg", BM_CopyJpeg),
         }) {
        copy->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
    }
    struct Size {
        int width;
        int height;
    };
    for (const Size size : {Size{640, 480}, Size{1280, 1024}}) {
        const std::string name =
            "ExportH264/" + std::to_string(size.width) + "x" + std::to_string(size.height);
        const int processors = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
        // Whole clips take seconds: one each repetition, timed on the wall, since the work
        // runs on workers and libx264's own threads.
        for (auto* clip : {
                 benchmark::RegisterBenchmark((name + "/export").c_str(), BM_H264Export, size.width,
                                              size.height, processors),
                 benchmark::RegisterBenchmark((name + "/export-jobs1").c_str(), BM_H264Export,
                                              size.width, size.height, 1),
                 benchmark::RegisterBenchmark((name + "/encode").c_str(), BM_Encode, size.width,
                                              size.height),
             }) {
            clip->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
        }
        benchmark::RegisterBenchmark((name + "/decode").c_str(), BM_Decode, size.width, size.height)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark((name + "/decode-convert").c_str(), BM_DecodeAndConvert,
                                     size.width, size.height)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
}

}  // namespace
}  // namespace orvik::bench

int main(int argc, char** argv) {
    av_log_set_level(AV_LOG_ERROR);  // libx264's statistics would crowd out the figures
    benchmark::Initialize(&argc, argv);
    orvik::bench::RegisterAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
