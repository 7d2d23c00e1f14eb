// The frames of a range of capture times, as runs of the records' slots. A folder's frames
// are in time order within it and share its date, so the frames of any range are one run
// of its slots, found by two binary searches; a reader of many frames then walks the runs
// instead of holding a path for every frame.
#pragma once

#include <cstdint>
#include <optional>

#include "library/capture_time.h"
#include "library/mav_folder.h"

namespace orvik {

// Capture moments from `from` to `to`, both included; an open end takes every frame on
// that side.
struct CaptureRange {
    std::optional<CaptureMoment> from;
    std::optional<CaptureMoment> to;

    bool Holds(CaptureMoment moment) const {
        return (!from || moment >= *from) && (!to || moment <= *to);
    }
};

// Slots first .. first + count - 1 of folder.
struct FolderRun {
    const CMavFolder* folder = nullptr;
    std::int32_t first = 0;
    std::int32_t count = 0;
};

// The frames of folder captured within range; count 0 when none is.
FolderRun RunInRange(const CMavFolder& folder, const CaptureRange& range);

// Whether a date folder with this date key can hold a frame captured within range, by its
// date alone: its frames lie from its midnight to kLatestTimeKey after it.
bool DateCanHoldRange(std::int32_t dateKey, const CaptureRange& range);

}  // namespace orvik
