// orvik-frame check: decodes every frame of frame files, date folders and recordings in
// full, the way the viewer would show them, and counts the refused ones; different frames
// decode on different threads, the refused ones named in the frames' order.
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "library/frame_reader.h"
#include "library/recorded_frames.h"
#include "tools/frame/commands.h"
#include "tools/frame/decoding_setup.h"
#include "tools/frame/frames_in_order.h"
#include "tools/frame/progress_line.h"
#include "tools/frame/recording_scan.h"

namespace orvik {
namespace {

using Clock = std::chrono::steady_clock;

bool IsFolder(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// The frames a folder argument stands for, in the viewer's order and by the paths the viewer
// opens them by: every folder of a root, or the named date folder alone (found by its path,
// so that of two folders with the same date key the one given is checked).
bool AddFramesOfFolder(const std::string& path, std::vector<std::string>& frames) {
    CMavFileManager manager;
    const std::optional<std::string> scanned = ScanRecording(manager, path);
    if (!scanned) {
        return false;
    }
    const bool dateFolder = manager.RootPath() != *scanned;
    for (RecordedFrame& frame : RecordedFrames(manager.Folders(), dateFolder ? *scanned : "")) {
        frames.push_back(std::move(frame.path));
    }
    return true;
}

}  // namespace

int RunCheck(const Options& options) {
    ScanReportPrinter reports;
    bool allInputsRead = true;
    std::vector<std::string> frames;
    for (const std::string& path : options.inputs) {
        if (IsFolder(path)) {
            allInputsRead = AddFramesOfFolder(path, frames) && allInputsRead;
        } else {
            frames.push_back(path);
        }
    }

    const PictureAdjustments adjustments = AdjustmentsToUse(options);
    ProgressLine progress;
    const Clock::time_point start = Clock::now();
    std::size_t refused = 0;
    ReadFramesInOrder<FrameFacts>(
        frames.size(), JobsToUse(options),
        [&] { return std::make_unique<FrameReader>(options.variant, adjustments); },
        [&](FrameReader& reader, std::size_t i) {
            return reader.Read(frames[i].c_str(), DecodeDepth::kPicture);
        },
        [&](std::size_t i, const FrameFacts& facts) {
            if (facts.refusal != FrameRefusal::kNone) {
                progress.Clear();
                std::printf("%s: refused: %s\n", frames[i].c_str(), RefusalText(facts).c_str());
                ++refused;
            }
            if (progress.Due()) {
                progress.Show("checked " + std::to_string(i + 1) + " of " +
                              std::to_string(frames.size()) + " frames");
            }
        });
    progress.Clear();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double rate = seconds > 0 ? static_cast<double>(frames.size()) / seconds : 0.0;
    std::printf("%zu frames, %zu refused, %.2f s, %.0f frames/s\n", frames.size(), refused, seconds,
                rate);
    return allInputsRead && refused == 0 && reports.Count() == 0 ? kExitAllWell : kExitRefused;
}

}  // namespace orvik
