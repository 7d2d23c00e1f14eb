#include "library/activity_index.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <tuple>

namespace orvik {
namespace {

// Events and frames in capture-time order: by moment, then by where they are.
auto Order(CaptureMoment moment, FramePosition at) {
    return std::make_tuple(moment, at.folder, at.file);
}

}  // namespace

ActivityIndex::ActivityIndex(const RecordingTimeline& timeline, Activity threshold)
    : timeline_(timeline),
      threshold_(threshold),
      folders_(std::make_unique<Folder[]>(static_cast<std::size_t>(timeline.FolderCount()))) {}

bool ActivityIndex::FolderReady(std::int32_t folder) const {
    return folder >= 0 && folder < FolderCount() &&
           folders_[static_cast<std::size_t>(folder)].ready.load(std::memory_order_acquire);
}

void ActivityIndex::SetFolder(std::int32_t folder, const std::vector<Activity>& activity) {
    if (folder < 0 || folder >= FolderCount() ||
        activity.size() != static_cast<std::size_t>(timeline_.FileCount(folder))) {
        return;
    }
    Folder& f = folders_[static_cast<std::size_t>(folder)];
    if (f.claimed.exchange(true)) {
        return;
    }
    f.activity = std::make_unique<Activity[]>(activity.size());
    std::copy(activity.begin(), activity.end(), f.activity.get());
    f.ready.store(true, std::memory_order_release);
    foldersReady_.fetch_add(1, std::memory_order_acq_rel);
}

std::optional<Activity> ActivityIndex::ActivityAt(FramePosition at) const {
    if (!FolderReady(at.folder) || at.file < 0 || at.file >= timeline_.FileCount(at.folder)) {
        return std::nullopt;
    }
    const Activity a = folders_[static_cast<std::size_t>(at.folder)].activity[at.file];
    if (a == kNoActivity) {
        return std::nullopt;
    }
    return a;
}

std::vector<ActivityEvent> ActivityIndex::Events(std::optional<TimeSpan> span) const {
    if (!span) {
        return AllEvents();
    }
    EventFinder finder(threshold_);
    for (std::int32_t folder = 0; folder < FolderCount(); ++folder) {
        if (!FolderReady(folder)) {
            continue;
        }
        const Activity* activity = folders_[static_cast<std::size_t>(folder)].activity.get();
        for (std::int32_t file = 0; file < timeline_.FileCount(folder); ++file) {
            const CaptureMoment moment = timeline_.TimeOf(folder, file).value_or(0);
            if (moment >= span->first && moment <= span->last) {
                finder.Add(moment, activity[file], {folder, file});
            }
        }
    }
    std::vector<ActivityEvent> events = finder.Finish();
    std::stable_sort(events.begin(), events.end(), [](const auto& a, const auto& b) {
        return Order(a.start, a.first) < Order(b.start, b.first);
    });
    return events;
}

std::vector<ActivityEvent> ActivityIndex::AllEvents() const {
    const std::lock_guard lock(eventsMutex_);
    const std::int32_t ready = FoldersReady();
    if (ready != eventsMadeWith_) {
        events_ = Events(TimeSpan{timeline_.First(), timeline_.Last()});
        eventsMadeWith_ = ready;
    }
    return events_;
}

std::optional<ActivityEvent> ActivityIndex::NextEvent(FramePosition from) const {
    return EventBeside(from, true);
}

std::optional<ActivityEvent> ActivityIndex::PreviousEvent(FramePosition from) const {
    return EventBeside(from, false);
}

std::optional<ActivityEvent> ActivityIndex::EventBeside(FramePosition from, bool next) const {
    const std::optional<CaptureMoment> moment = timeline_.TimeOf(from.folder, from.file);
    if (!moment) {
        return std::nullopt;
    }
    const auto here = Order(*moment, from);
    const auto start = [](const ActivityEvent& e) { return Order(e.start, e.first); };
    const std::vector<ActivityEvent> events = AllEvents();  // in capture-time order
    if (next) {
        const auto after = std::ranges::upper_bound(events, here, {}, start);
        return after == events.end() ? std::nullopt : std::optional(*after);
    }
    const auto notBefore = std::ranges::lower_bound(events, here, {}, start);
    return notBefore == events.begin() ? std::nullopt : std::optional(*std::prev(notBefore));
}

}  // namespace orvik
