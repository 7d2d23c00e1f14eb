#include "library/frame_runs.h"

#include <algorithm>

#include "library/name_keys.h"

namespace orvik {

FolderRun RunInRange(const CMavFolder& folder, const CaptureRange& range) {
    // Moments of one folder differ from its time keys by its midnight: compare keys, in 64
    // bits, since a range can lie days away from the folder.
    const CaptureMoment midnight = MomentOf(folder.dateKey, 0);
    const auto begin = folder.files.begin();
    const auto end = begin + folder.GetFileCount();
    const auto first =
        !range.from ? begin : std::partition_point(begin, end, [&](const CMavFile& file) {
            return midnight + file.timeKey < *range.from;
        });
    const auto last = !range.to ? end : std::partition_point(first, end, [&](const CMavFile& file) {
        return midnight + file.timeKey <= *range.to;
    });
    return FolderRun{&folder, static_cast<std::int32_t>(first - begin),
                     static_cast<std::int32_t>(last - first)};
}

bool DateCanHoldRange(std::int32_t dateKey, const CaptureRange& range) {
    const CaptureMoment midnight = MomentOf(dateKey, 0);
    return (!range.to || midnight <= *range.to) &&
           (!range.from || midnight + kLatestTimeKey >= *range.from);
}

}  // namespace orvik
