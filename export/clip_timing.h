// The clip's time line: each frame's time is its capture time minus the first frame's, so
// that playback runs in real time and gaps stay gaps. A time-lapse divides every time by
// the speed; closing gaps lays the frame after a pause of more than 2 s right after the
// frame before it, at the pace the recording had before the pause. Frames that would
// share a tick of the stream's time base with the frame before them, or come closer to it
// than the frame rate the codec allows, are dropped.
//
// A frame shows until the next frame written; the last one shows for the clip's pace at
// it (the time from the frame kept before it, unless a gap lies between them), so that the
// clip ends one frame's time after its last frame and never a whole gap later.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "export/clip_frames.h"

namespace orvik {

struct ClipTiming {
    int speed = 1;  // every time is divided by it
    bool closeGaps = false;
    int ticksPerSecond = 1000;   // the stream's time base is 1 / ticksPerSecond
    int maxFramesPerSecond = 0;  // 0: as many as the ticks allow
};

struct TimedFrame {
    std::size_t index = 0;   // into the clip's frames
    std::int64_t ticks = 0;  // its time in the clip
    std::int64_t pace = 0;   // ticks it shows for when no frame follows it, at least 1
};

// The frames kept, in order, with their times; the first frame's time is 0.
std::vector<TimedFrame> PlanClipTimes(std::span<const ClipFrame> frames, const ClipTiming& timing);

}  // namespace orvik
