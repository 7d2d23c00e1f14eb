// RecordingTimeline: the whole recording on one time axis, made from the scan's records
// alone (no frame is read). It holds every frame's capture moment in one flat array in
// record order (folder by folder, each folder's frames in time order as the scan sorts
// them) with each folder's offset into it, and, for drawing, the footage spans and the
// folders' first times in time order. Building it is linear in the frames (the folders'
// first times are sorted, at most 65536 of them); every lookup is a binary search.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "library/capture_time.h"
#include "library/folder_list.h"

namespace orvik {

// A frame by its slots: the folder's index in the folder list and the file's in its folder.
struct FramePosition {
    std::int32_t folder = 0;
    std::int32_t file = 0;
    bool operator==(const FramePosition&) const = default;
};

// Capture moments of a first and a last frame, both included.
struct TimeSpan {
    CaptureMoment first = 0;
    CaptureMoment last = 0;
    bool operator==(const TimeSpan&) const = default;
};

class RecordingTimeline {
  public:
    // Folders without frames (the scan keeps none) take part in no lookup.
    explicit RecordingTimeline(const CFolderList& folders);

    bool Empty() const { return times.empty(); }
    std::int64_t FrameCount() const { return static_cast<std::int64_t>(times.size()); }
    std::int32_t FolderCount() const { return static_cast<std::int32_t>(folderStarts.size()); }
    // Frames of the folder; 0 for an index outside the folders.
    std::int32_t FileCount(std::int32_t folder) const;

    // The earliest and the latest frame of the whole recording; 0 when it is empty.
    CaptureMoment First() const { return first; }
    CaptureMoment Last() const { return last; }
    // The folder's first and last frame; none for an index outside the folders or a folder
    // without frames.
    std::optional<TimeSpan> FolderSpan(std::int32_t folder) const;
    // The folders' first times in time order: where the folder boundaries are drawn.
    const std::vector<CaptureMoment>& FolderBoundaries() const { return boundaries; }
    // The footage in time order, each span a run of frames of one folder with no pause
    // longer than kFootageGap (a longer pause, or the change to another folder, is a gap). Spans
    // that overlap (folders whose frames' names run into each other's hours) are joined, so the
    // spans never overlap.
    const std::vector<TimeSpan>& Spans() const { return spans; }

    // The last frame captured at or before time in the folder the time belongs to: the last
    // folder (in list order) whose first frame is at or before it, else the first folder;
    // that folder's first frame when none of its frames is at or before it. None when the
    // recording is empty.
    std::optional<FramePosition> Find(CaptureMoment time) const;
    // The frame's capture moment; none for a position outside the recording.
    std::optional<CaptureMoment> TimeOf(std::int32_t folder, std::int32_t file) const;

  private:
    // The folder's frames' times; empty for an index outside the folders.
    std::span<const CaptureMoment> FolderTimes(std::int32_t folder) const;

    // First moment of each folder, the largest moment for an empty one.
    std::vector<CaptureMoment> folderStarts;
    // The least of folderStarts from each folder on: never decreasing, so the last folder
    // starting at or before a time is found by binary search even when the starts are not
    // in order.
    std::vector<CaptureMoment> earliestStartFrom;
    std::vector<std::size_t> folderOffsets;  // into times; one more than the folders
    std::vector<CaptureMoment> times;
    std::vector<CaptureMoment> boundaries;
    std::vector<TimeSpan> spans;
    std::int32_t firstFolderWithFrames = 0;
    CaptureMoment first = 0;
    CaptureMoment last = 0;
};

}  // namespace orvik
