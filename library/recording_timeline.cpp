#include "library/recording_timeline.h"

#include <algorithm>
#include <limits>

#include "library/capture_time.h"

namespace orvik {
namespace {

constexpr CaptureMoment kNoFrame = std::numeric_limits<CaptureMoment>::max();

// Sorts the spans by their first frame (only when the folders' times interleave) and joins
// the ones that overlap.
std::vector<TimeSpan> JoinedInTimeOrder(std::vector<TimeSpan> spans) {
    const auto earlier = [](const TimeSpan& a, const TimeSpan& b) { return a.first < b.first; };
    if (!std::is_sorted(spans.begin(), spans.end(), earlier)) {
        std::sort(spans.begin(), spans.end(), earlier);
    }
    std::vector<TimeSpan> joined;
    joined.reserve(spans.size());
    for (const TimeSpan& span : spans) {
        if (!joined.empty() && span.first <= joined.back().last) {
            joined.back().last = std::max(joined.back().last, span.last);
        } else {
            joined.push_back(span);
        }
    }
    return joined;
}

}  // namespace

RecordingTimeline::RecordingTimeline(const CFolderList& folders) {
    const std::size_t folderCount = std::min(
        static_cast<std::size_t>(std::max(folders.folderCount, 0)), folders.folders.size());
    std::size_t frames = 0;
    for (std::size_t f = 0; f < folderCount; ++f) {
        frames += static_cast<std::size_t>(folders.folders[f]->GetFileCount());
    }
    times.reserve(frames);
    folderOffsets.reserve(folderCount + 1);
    folderStarts.reserve(folderCount);
    std::vector<TimeSpan> runs;
    for (std::size_t f = 0; f < folderCount; ++f) {
        const CMavFolder& folder = *folders.folders[f];
        folderOffsets.push_back(times.size());
        // The folder's date once, not per frame: half of the build at 1,000,000 frames.
        const CaptureMoment midnight = MomentOf(folder.dateKey, 0);
        for (std::int32_t i = 0; i < folder.GetFileCount(); ++i) {
            const CaptureMoment time = midnight + folder.GetFile(i)->timeKey;
            if (i == 0 || time - runs.back().last > kFootageGap) {
                runs.push_back({time, time});
            } else {
                runs.back().last = time;
            }
            times.push_back(time);
        }
        const bool hasFrames = folder.GetFileCount() > 0;
        folderStarts.push_back(hasFrames ? times[folderOffsets.back()] : kNoFrame);
        if (hasFrames) {
            boundaries.push_back(folderStarts.back());
        }
    }
    folderOffsets.push_back(times.size());
    if (times.empty()) {
        return;
    }
    earliestStartFrom = folderStarts;
    for (std::size_t f = folderCount - 1; f > 0; --f) {
        earliestStartFrom[f - 1] = std::min(earliestStartFrom[f - 1], earliestStartFrom[f]);
    }
    firstFolderWithFrames = static_cast<std::int32_t>(
        std::find_if(folderStarts.begin(), folderStarts.end(),
                     [](CaptureMoment start) { return start != kNoFrame; }) -
        folderStarts.begin());
    std::sort(boundaries.begin(), boundaries.end());
    spans = JoinedInTimeOrder(std::move(runs));
    first = spans.front().first;
    last = spans.back().last;  // the spans are in order and apart
}

std::span<const CaptureMoment> RecordingTimeline::FolderTimes(std::int32_t folder) const {
    if (folder < 0 || folder >= FolderCount()) {
        return {};
    }
    const auto f = static_cast<std::size_t>(folder);
    return std::span(times).subspan(folderOffsets[f], folderOffsets[f + 1] - folderOffsets[f]);
}

std::int32_t RecordingTimeline::FileCount(std::int32_t folder) const {
    return static_cast<std::int32_t>(FolderTimes(folder).size());
}

std::optional<TimeSpan> RecordingTimeline::FolderSpan(std::int32_t folder) const {
    const std::span<const CaptureMoment> folderTimes = FolderTimes(folder);
    if (folderTimes.empty()) {
        return std::nullopt;
    }
    return TimeSpan{folderTimes.front(), folderTimes.back()};
}

std::optional<FramePosition> RecordingTimeline::Find(CaptureMoment time) const {
    if (Empty()) {
        return std::nullopt;
    }
    const auto laterStart =
        std::upper_bound(earliestStartFrom.begin(), earliestStartFrom.end(), time);
    const std::int32_t folder =
        laterStart == earliestStartFrom.begin()
            ? firstFolderWithFrames
            : static_cast<std::int32_t>(laterStart - earliestStartFrom.begin()) - 1;
    const std::span<const CaptureMoment> folderTimes = FolderTimes(folder);
    const auto later = std::upper_bound(folderTimes.begin(), folderTimes.end(), time);
    const std::int32_t file = later == folderTimes.begin()
                                  ? 0
                                  : static_cast<std::int32_t>(later - folderTimes.begin()) - 1;
    return FramePosition{folder, file};
}

std::optional<CaptureMoment> RecordingTimeline::TimeOf(std::int32_t folder,
                                                       std::int32_t file) const {
    const std::span<const CaptureMoment> folderTimes = FolderTimes(folder);
    if (file < 0 || static_cast<std::size_t>(file) >= folderTimes.size()) {
        return std::nullopt;
    }
    return folderTimes[static_cast<std::size_t>(file)];
}

}  // namespace orvik
