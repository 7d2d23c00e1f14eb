#include "export/clip_timing.h"

#include <algorithm>

namespace orvik {
namespace {

// The pace a closed gap takes when no frame pair before it shows the recording's own, and
// the time the clip's first frame shows for when nothing follows it.
constexpr std::int64_t kDefaultPaceHundredths = 10;

}  // namespace

std::vector<TimedFrame> PlanClipTimes(std::span<const ClipFrame> frames, const ClipTiming& timing) {
    std::vector<TimedFrame> kept;
    // All in whole numbers, so that every machine rounds the same: a time of t hundredths
    // at speed s is t * ticksPerSecond / (100 s) ticks, rounded to the nearest.
    const std::int64_t divisor = std::int64_t{kHundredthsPerSecond} * timing.speed;
    const auto ticksOf = [&](std::int64_t hundredths) {
        return (hundredths * timing.ticksPerSecond + divisor / 2) / divisor;
    };
    std::int64_t laid = 0;  // hundredths since the first frame, gaps closed
    std::int64_t pace = kDefaultPaceHundredths;
    std::int64_t keptLaid = 0;
    std::int64_t keptPace = std::max<std::int64_t>(1, ticksOf(kDefaultPaceHundredths));
    bool gapSinceKept = false;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (i > 0) {
            std::int64_t interval = frames[i].moment - frames[i - 1].moment;
            if (interval > kFootageGap) {
                if (timing.closeGaps) {
                    interval = pace;
                } else {
                    gapSinceKept = true;
                }
            } else if (interval > 0) {
                pace = interval;
            }
            laid += interval;
        }
        const std::int64_t ticks = ticksOf(laid);
        // Closer than 1 / maxFramesPerSecond s: (laid - keptLaid) / divisor < 1 / max.
        const bool tooClose = timing.maxFramesPerSecond > 0 &&
                              (laid - keptLaid) * timing.maxFramesPerSecond < divisor;
        if (kept.empty() || (ticks > kept.back().ticks && !tooClose)) {
            if (!kept.empty() && !gapSinceKept) {
                keptPace = ticks - kept.back().ticks;
            }
            kept.push_back({i, ticks, keptPace});
            keptLaid = laid;
            gapSinceKept = false;
        }
    }
    return kept;
}

}  // namespace orvik
