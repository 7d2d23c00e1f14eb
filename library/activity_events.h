// Events: runs of active frames, a frame being active when its activity is above the
// threshold. Two active frames at most kFootageGap apart belong to one event, so a quiet
// stretch shorter than that joins the runs either side of it. A frame without activity
// (refused, or failing the end test) neither starts nor breaks an event; it is counted.
#pragma once

#include <cstdint>
#include <vector>

#include "library/activity.h"
#include "library/capture_time.h"
#include "library/recording_timeline.h"

namespace orvik {

struct ActivityEvent {
    CaptureMoment start = 0;  // the first active frame's moment
    CaptureMoment end = 0;    // the last active frame's
    FramePosition first;      // where those frames are
    FramePosition last;
    std::int64_t frames = 0;  // frames with activity from the first to the last, both included
    Activity peak = 0;        // the largest activity among them
    bool operator==(const ActivityEvent&) const = default;
};

// Takes frames in capture order and gives the events they make.
class EventFinder {
  public:
    explicit EventFinder(Activity threshold) : threshold_(threshold) {}

    void Add(CaptureMoment moment, Activity activity, FramePosition at);
    // The events found, the last one closed.
    std::vector<ActivityEvent> Finish();
    // Frames added without activity.
    std::int64_t FramesWithoutActivity() const { return withoutActivity_; }

  private:
    Activity threshold_;
    std::vector<ActivityEvent> events_;
    bool open_ = false;
    ActivityEvent current_;
    std::int64_t framesSinceStart_ = 0;  // of the open event, quiet ones included
    std::int64_t withoutActivity_ = 0;
};

}  // namespace orvik
