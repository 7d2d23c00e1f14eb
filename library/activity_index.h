// ActivityIndex: the activity of every frame of a recording, filled folder by folder (on
// worker threads, from the cache or by measuring) and read meanwhile: the activity of a
// frame by its slots, the events in capture-time order, and the event after or before a
// frame across folders and days. It holds two bytes a frame; the frames' moments are the
// recording's timeline's, which must outlive the index.
//
// SetFolder may be called from any thread, once for each folder; every query may be made
// from any thread at any time and sees the folders set so far (a folder not yet set has no
// activity and takes no part in the events).
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "library/activity.h"
#include "library/activity_events.h"
#include "library/recording_timeline.h"

namespace orvik {

class ActivityIndex {
  public:
    ActivityIndex(const RecordingTimeline& timeline, Activity threshold);
    ActivityIndex(const ActivityIndex&) = delete;
    ActivityIndex& operator=(const ActivityIndex&) = delete;

    std::int32_t FolderCount() const { return timeline_.FolderCount(); }
    bool FolderReady(std::int32_t folder) const;
    std::int32_t FoldersReady() const { return foldersReady_.load(std::memory_order_acquire); }

    // The folder's activity, one a frame in its slot order. Ignored for an index outside the
    // folders, a folder already set, or a count that is not the folder's frames.
    void SetFolder(std::int32_t folder, const std::vector<Activity>& activity);

    // The frame's activity; none while its folder is not set or when it has none.
    std::optional<Activity> ActivityAt(FramePosition at) const;
    // The events of the folders set, in capture-time order; within [span.first, span.last]
    // alone when a span is given (frames outside it take no part).
    std::vector<ActivityEvent> Events(std::optional<TimeSpan> span = std::nullopt) const;
    // The first event that starts after the frame (at a later moment, or at the same moment
    // further on in the recording), and the last that starts before it.
    std::optional<ActivityEvent> NextEvent(FramePosition from) const;
    std::optional<ActivityEvent> PreviousEvent(FramePosition from) const;

  private:
    struct Folder {
        std::unique_ptr<Activity[]> activity;  // written before ready is set, then never
        std::atomic<bool> claimed{false};      // by the first SetFolder
        std::atomic<bool> ready{false};
    };
    // The events of every folder set, made again only after a folder was set.
    std::vector<ActivityEvent> AllEvents() const;
    // NextEvent (next) or PreviousEvent.
    std::optional<ActivityEvent> EventBeside(FramePosition from, bool next) const;

    const RecordingTimeline& timeline_;
    Activity threshold_;
    std::unique_ptr<Folder[]> folders_;
    std::atomic<std::int32_t> foldersReady_{0};
    mutable std::mutex eventsMutex_;
    mutable std::vector<ActivityEvent> events_;
    mutable std::int32_t eventsMadeWith_ = -1;  // foldersReady_ when events_ was made
};

}  // namespace orvik
