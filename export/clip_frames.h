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
#include "library/capture_time.h"

namespace orvik {

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
