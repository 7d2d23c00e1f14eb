#include "export/clip_frames.h"

#include <algorithm>

namespace orvik {

std::vector<ClipFrame> ChooseClipFrames(std::span<const RecordedFrame> frames,
                                        const ClipRange& range) {
    std::vector<ClipFrame> chosen;
    for (const RecordedFrame& frame : frames) {
        if (range.Holds(frame.moment)) {
            chosen.push_back(frame);
        }
    }
    std::stable_sort(chosen.begin(), chosen.end(),
                     [](const ClipFrame& a, const ClipFrame& b) { return a.moment < b.moment; });
    return chosen;
}

}  // namespace orvik
