#include "library/activity_events.h"

#include <algorithm>
#include <utility>

namespace orvik {

void EventFinder::Add(CaptureMoment moment, Activity activity, FramePosition at) {
    if (activity == kNoActivity) {
        ++withoutActivity_;
        return;
    }
    if (open_) {
        ++framesSinceStart_;
    }
    if (activity <= threshold_) {
        return;
    }
    if (open_ && moment - current_.end <= kFootageGap) {
        current_.end = moment;
        current_.last = at;
        current_.frames = framesSinceStart_;
        current_.peak = std::max(current_.peak, activity);
        return;
    }
    if (open_) {
        events_.push_back(current_);
    }
    open_ = true;
    current_ = {moment, moment, at, at, 1, activity};
    framesSinceStart_ = 1;
}

std::vector<ActivityEvent> EventFinder::Finish() {
    if (open_) {
        events_.push_back(current_);
        open_ = false;
    }
    std::vector<ActivityEvent> events = std::move(events_);
    events_.clear();
    return events;
}

}  // namespace orvik
