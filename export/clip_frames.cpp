#include "export/clip_frames.h"

#include <algorithm>

namespace orvik {

std::vector<ClipFrame> ChooseClipFrames(std::span<const RecordedFrame> frames,
                                        const ClipRange& range) {
    std::vector<ClipFrame> chosen;
    for (const RecordedFrame& frame : frames) {
        const CaptureMoment moment = MomentOf(frame.dateKey, frame.timeKey);
        if ((!range.from || moment >= *range.from) && (!range.to || moment <= *range.to)) {
            chosen.push_back({frame.path, moment});
        }
    }
    std::stable_sort(chosen.begin(), chosen.end(),
                     [](const ClipFrame& a, const ClipFrame& b) { return a.moment < b.moment; });
    return chosen;
}

}  // namespace orvik
