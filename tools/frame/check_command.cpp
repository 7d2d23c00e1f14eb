// orvik-frame check: decodes every frame of frame files, date folders and recordings in
// full, the way the viewer would show them, and counts the refused ones; different frames
// decode on different threads, the refused ones named in the frames' order. The time it
// prints is the whole run's, reading the folders included; the speed beside it is the
// decoding's alone.
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "library/frame_reader.h"
#include "tools/frame/check_frames.h"
#include "tools/frame/commands.h"
#include "tools/frame/decoding_setup.h"
#include "tools/frame/frames_in_order.h"
#include "tools/frame/json_text.h"
#include "tools/frame/progress_line.h"
#include "tools/frame/recording_scan.h"

namespace orvik {
namespace {

using Clock = std::chrono::steady_clock;

bool IsFolder(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

void PrintRefused(const std::string& path, const std::string& reason, bool json) {
    if (json) {
        std::puts(PathReasonJson("refused", path, reason).c_str());
    } else {
        std::printf("%s: refused: %s\n", path.c_str(), reason.c_str());
    }
}

struct Counts {
    std::size_t frames = 0;
    std::size_t refused = 0;
    int reports = 0;
    double seconds = 0;          // the whole run
    double decodingSeconds = 0;  // the frames' reading and decoding
};

double PerSecond(std::size_t frames, double seconds) {
    return seconds > 0 ? static_cast<double>(frames) / seconds : 0.0;
}

void PrintSummary(const Options& options, const Counts& counts, int exitCode) {
    const bool json = options.jsonLines;
    const double rate = PerSecond(counts.frames, counts.decodingSeconds);
    if (!json) {
        std::printf("%zu frames, %zu refused, %.2f s, decoding %.0f frames/s\n", counts.frames,
                    counts.refused, counts.seconds, rate);
        return;
    }
    const auto milli = [](double value) { return static_cast<std::int64_t>(value * 1000 + 0.5); };
    // The inputs, so that the lines of many runs merged still say what each covered.
    std::vector<std::string> paths;
    for (const std::string& path : options.inputs) {
        paths.push_back(JsonString(path));
    }
    std::puts(JsonObject()
                  .Text("type", "summary")
                  .Text("command", "check")
                  .Value("paths", JsonArray(paths))
                  .Number("frames", static_cast<std::int64_t>(counts.frames))
                  .Number("refused", static_cast<std::int64_t>(counts.refused))
                  .Number("reports", counts.reports)
                  .FixedPoint("seconds", milli(counts.seconds), 3)
                  .FixedPoint("decoding_seconds", milli(counts.decodingSeconds), 3)
                  .FixedPoint("decoding_frames_per_second", milli(rate), 3)
                  .Number("exit", exitCode)
                  .Json()
                  .c_str());
}

}  // namespace

int RunCheck(const Options& options) {
    const Clock::time_point start = Clock::now();
    const bool json = options.jsonLines;
    ScanReportPrinter reports(json);
    bool allInputsRead = true;
    CheckFrames frames;
    const CaptureRange range = RangeAsked(options);
    for (const std::string& path : options.inputs) {
        if (!IsFolder(path)) {
            frames.AddFile(path);
        } else if (const Status added = frames.AddFolder(path, range); !added.Ok()) {
            PrintInputFailure(path, added.Why(), json);
            allInputsRead = false;
        }
    }

    const PictureAdjustments adjustments = AdjustmentsToUse(options);
    ProgressLine progress;
    const Clock::time_point decodingStart = Clock::now();
    Counts counts;
    counts.frames = frames.Count();
    ReadFramesInOrder<FrameFacts>(
        counts.frames, JobsToUse(options),
        [&] { return std::make_unique<FrameReader>(options.variant, adjustments); },
        [&](FrameReader& reader, std::size_t i) {
            return reader.Read(frames.PathOf(i).c_str(), DecodeDepth::kPicture);
        },
        [&](std::size_t i, const FrameFacts& facts) {
            if (facts.refusal != FrameRefusal::kNone) {
                progress.Clear();
                PrintRefused(frames.PathOf(i), RefusalText(facts), json);
                ++counts.refused;
            }
            if (progress.Due()) {
                progress.Show("checked " + std::to_string(i + 1) + " of " +
                              std::to_string(counts.frames) + " frames");
            }
        });
    progress.Clear();
    const Clock::time_point end = Clock::now();
    counts.seconds = std::chrono::duration<double>(end - start).count();
    counts.decodingSeconds = std::chrono::duration<double>(end - decodingStart).count();
    counts.reports = reports.Count();
    const int exitCode =
        allInputsRead && counts.refused == 0 && counts.reports == 0 ? kExitAllWell : kExitRefused;
    PrintSummary(options, counts, exitCode);
    return exitCode;
}

}  // namespace orvik
