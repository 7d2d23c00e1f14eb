// The activity of a run of frames, measured: each frame's luma DC picture is decoded (the
// Huffman pass alone) on worker threads, each with its own FrameReader, and the meter takes
// the pictures on the calling thread in the frames' order, so the result is the same for any
// number of workers. The decoder is the scalar variant on every processor, so that a
// frame's activity, and what the cache keeps of it, is the same on every machine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "library/activity.h"
#include "library/recorded_frames.h"

namespace orvik {

struct MeasuredActivity {
    std::vector<Activity> activity;  // one a frame; kNoActivity for a refused one
    std::int64_t refused = 0;
};

// frames in capture order, one run of footage (a date folder): the meter starts afresh with
// the first. progress, when given, is called on the calling thread with the frames taken.
MeasuredActivity MeasureActivity(std::span<const RecordedFrame> frames,
                                 const ActivitySettings& settings, int jobs,
                                 const std::function<void(std::size_t done)>& progress = {});

}  // namespace orvik
