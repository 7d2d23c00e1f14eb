// The clip export: the chosen frames of a recording written as one video file, either
// losslessly (each frame's own coded data as an MJPEG packet) or as H.264, with every
// frame at its capture time. It runs on the caller's thread with workers of its own, holds
// its own decoder state, can be cancelled between frames and tells its progress, so that a
// window can drive it from a worker thread. The file appears whole or not at all.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "colour/colour_matrix.h"
#include "export/clip_container.h"
#include "export/clip_frames.h"

namespace orvik {

struct ExportSettings {
    std::string outputPath;
    ClipCodec codec = ClipCodec::kCopy;
    int crf = 23;                    // H.264's constant rate factor, 0..51
    int speed = 1;                   // every time divided by it
    bool closeGaps = false;          // pauses of more than 2 s shrink to the pace before them
    PictureAdjustments adjustments;  // of H.264's pictures
    int jobs = 1;                    // frames prepared on this many workers
};

enum class ExportEnding { kWritten, kCancelled, kFailed };

struct RefusedFrame {
    std::string path;
    std::string reason;
};

struct ExportOutcome {
    ExportEnding ending = ExportEnding::kFailed;
    std::string error;  // what failed (kFailed)
    std::size_t written = 0;
    std::size_t dropped = 0;  // too close to the frame before them in the clip's time
    std::vector<RefusedFrame> refused;
    double footageSeconds = 0;  // capture time from the first frame written to the last
    double clipSeconds = 0;     // the clip's time of its last frame
};

// Called after each frame taken from the workers: frames done, frames to do in all.
using ExportProgress = std::function<void(std::size_t done, std::size_t total)>;

// Whether the clip of these frames can be written as settings ask, told before any work:
// the container holds the codec and every pause of the clip's time line. ExportClip
// refuses such a clip with the same reason.
Status ClipCanBeHeld(std::span<const ClipFrame> frames, const ExportSettings& settings);

// Writes frames (in capture order, as ChooseClipFrames gives them) to settings.outputPath.
// A clip in which no frame could be read is a failure, and nothing is written then.
ExportOutcome ExportClip(std::span<const ClipFrame> frames, const ExportSettings& settings,
                         const std::atomic<bool>& cancel, const ExportProgress& progress);

}  // namespace orvik
