// Which frames a clip holds: those of a recording captured within a range of date and
// time, both ends included, in capture-time order across folders and days. A frame's date
// is its folder's and its time of day its own, as the viewer shows them.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "library/capture_time.h"
#include "library/frame_runs.h"
#include "library/recorded_frames.h"

namespace orvik {

// Open ends take the first or the last frame.
using ClipRange = CaptureRange;

// A frame of the clip: a recorded frame the range took, with everything the clip needs of
// it (the path to read, the moment it is laid at, the capture time its JPEG carries).
using ClipFrame = RecordedFrame;

// The frames captured at or after range.from and at or before range.to, ordered by
// capture moment; frames of the same moment keep the records' order.
std::vector<ClipFrame> ChooseClipFrames(std::span<const RecordedFrame> frames,
                                        const ClipRange& range);

}  // namespace orvik
