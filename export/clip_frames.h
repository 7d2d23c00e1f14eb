// Which frames a clip holds: those of a recording captured within a range of date and
// time, both ends included, in capture-time order across folders and days. A frame's date
// is its folder's and its time of day its own, as the viewer shows them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "export/recording_frames.h"
#include "jpeg/capture_time.h"
#include "library/time_of_day.h"

namespace orvik {

// A capture moment: hundredths of a second since 2000/01/01 00:00:00.00.
using CaptureMoment = std::int64_t;

// The moment of a folder's date (YYMMDDHH; its hour is not used) and a frame's time key.
// A folder name that is no calendar date still gets a place: the day count runs on past
// the ends of months and years as the numbers say.
CaptureMoment MomentOf(std::int32_t dateKey, std::int32_t timeKey);
CaptureMoment MomentOf(const CaptureTime& time);

// Open ends take the first or the last frame.
struct ClipRange {
    std::optional<CaptureMoment> from;
    std::optional<CaptureMoment> to;
};

struct ClipFrame {
    std::string path;
    CaptureMoment moment = 0;
};

// The frames captured at or after range.from and at or before range.to, ordered by
// capture moment; frames of the same moment keep the records' order.
std::vector<ClipFrame> ChooseClipFrames(std::span<const RecordedFrame> frames,
                                        const ClipRange& range);

}  // namespace orvik
