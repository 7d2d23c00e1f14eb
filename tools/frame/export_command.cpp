// orvik-frame export: the frames of a recording within a range of capture times written as
// one clip, with the clip export's engine. Ctrl+C (SIGINT), SIGTERM and SIGHUP cancel it,
// and then no output is left behind.
#include <csignal>
#include <cstdio>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "export/clip_export.h"
#include "library/recorded_frames.h"
#include "tools/frame/commands.h"
#include "tools/frame/decoding_setup.h"
#include "tools/frame/progress_line.h"
#include "tools/frame/recording_scan.h"

namespace orvik {
namespace {

using Clock = std::chrono::steady_clock;

// Set by the signal handler, read by the export as its cancel flag.
std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

extern "C" void OnInterrupt(int) {
    interrupted = true;
}

// The signals that end an export the way Ctrl+C does: SIGHUP too, which a closed terminal
// or a logged-out session sends.
constexpr int kInterruptions[] = {SIGINT, SIGTERM, SIGHUP};

// Catches the interruptions for its life.
class InterruptCatcher {
  public:
    InterruptCatcher() {
        struct sigaction action {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < std::size(kInterruptions); ++i) {
            sigaction(kInterruptions[i], &action, &old_[i]);
        }
    }
    ~InterruptCatcher() {
        for (std::size_t i = 0; i < std::size(kInterruptions); ++i) {
            sigaction(kInterruptions[i], &old_[i], nullptr);
        }
    }
    InterruptCatcher(const InterruptCatcher&) = delete;
    InterruptCatcher& operator=(const InterruptCatcher&) = delete;

  private:
    struct sigaction old_[std::size(kInterruptions)]{};
};

ExportSettings SettingsOf(const Options& options) {
    ExportSettings settings;
    settings.outputPath = options.output;
    settings.codec = !options.codec             ? DefaultCodecFor(options.output)
                     : *options.codec == "h264" ? ClipCodec::kH264
                                                : ClipCodec::kCopy;
    settings.crf = options.crf;
    settings.speed = options.speed;
    settings.closeGaps = options.closeGaps;
    settings.adjustments = AdjustmentsToUse(options);
    settings.jobs = JobsToUse(options);
    return settings;
}

// The frames PATH stands for within range, reading no folder that cannot hold one: a date
// folder's own alone; of a root, the folders that can hold frames of the range. None when it
// cannot be read.
std::optional<std::vector<RecordedFrame>> ReadRecording(const std::string& path,
                                                        const ClipRange& range) {
    AskedFrames asked;
    if (const Status read = ReadAskedRecording(asked, path, {range.from, range.to}); !read.Ok()) {
        PrintInputFailure(path, read.Why(), false);
        return std::nullopt;
    }
    return RecordedFrames(asked.Runs());
}

// "exported 120 of 1000 frames, 450 frames/s, 2 s left"
std::string ProgressText(std::size_t done, std::size_t total, Clock::time_point start) {
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0.0;
    char text[128];
    std::snprintf(text, sizeof text, "exported %zu of %zu frames, %.0f frames/s, %.0f s left", done,
                  total, rate, rate > 0 ? static_cast<double>(total - done) / rate : 0.0);
    return text;
}

}  // namespace

int RunExport(const Options& options) {
    InterruptCatcher catcher;
    const ExportSettings settings = SettingsOf(options);
    if (const Status held = ContainerCanHold(settings.outputPath, settings.codec); !held.Ok()) {
        std::fprintf(stderr, "orvik-frame: -o %s: %s\n", options.output.c_str(),
                     held.Why().c_str());
        return kExitUsage;
    }
    ScanReportPrinter reports;
    const ClipRange range = RangeAsked(options);
    const std::optional<std::vector<RecordedFrame>> recorded =
        ReadRecording(options.inputs.front(), range);
    if (!recorded) {
        return kExitRefused;
    }
    const std::vector<ClipFrame> frames = ChooseClipFrames(*recorded, range);
    if (frames.empty()) {
        std::fprintf(stderr, "orvik-frame: %s: no frames in that range\n",
                     options.inputs.front().c_str());
        return kExitUsage;
    }
    // A pause the container cannot hold is told before any frame is read.
    if (const Status held = ClipCanBeHeld(frames, settings); !held.Ok()) {
        std::fprintf(stderr, "orvik-frame: -o %s: %s\n", options.output.c_str(),
                     held.Why().c_str());
        return kExitUsage;
    }

    ProgressLine progress;
    const Clock::time_point start = Clock::now();
    const ExportOutcome outcome =
        ExportClip(frames, settings, interrupted, [&](std::size_t done, std::size_t total) {
            if (progress.Due()) {
                progress.Show(ProgressText(done, total, start));
            }
        });
    progress.Clear();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();

    for (const RefusedFrame& refused : outcome.refused) {
        std::fprintf(stderr, "orvik-frame: %s: refused: %s\n", refused.path.c_str(),
                     refused.reason.c_str());
    }
    if (outcome.ending == ExportEnding::kCancelled) {
        std::fprintf(stderr, "orvik-frame: interrupted; %s not written\n", options.output.c_str());
        return kExitRefused;
    }
    if (outcome.ending == ExportEnding::kFailed) {
        std::fprintf(stderr, "orvik-frame: %s not written: %s\n", options.output.c_str(),
                     outcome.error.c_str());
        return kExitRefused;
    }
    const double rate = seconds > 0 ? static_cast<double>(frames.size()) / seconds : 0.0;
    std::printf(
        "%zu frames written, %zu refused, %zu dropped, %.2f s of footage as a %.2f s clip, "
        "%.0f frames/s\n",
        outcome.written, outcome.refused.size(), outcome.dropped, outcome.footageSeconds,
        outcome.clipSeconds, rate);
    return outcome.refused.empty() && reports.Count() == 0 ? kExitAllWell : kExitRefused;
}

}  // namespace orvik
