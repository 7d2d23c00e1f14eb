// The activity of one date folder for the index: taken from the cache when a file there was
// made for the folder as it is now and the same settings, else measured and stored. Each
// folder is measured on its own (the meter starts afresh with its first frame), so folders
// can be done in any order, on any thread, and kept apart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "library/activity.h"
#include "library/folder_list.h"
#include "library/recorded_frames.h"
#include "library/recording_timeline.h"

namespace orvik {

// The frames of the folder at index in the folder list, in slot order, with their moments
// on the timeline. Taken where the records may be read (the records may change after).
std::vector<RecordedFrame> FolderFrames(const CFolderList& folders, std::int32_t index,
                                        const RecordingTimeline& timeline);

struct FolderActivity {
    std::vector<Activity> activity;  // one a frame
    std::int64_t refused = 0;
    bool fromCache = false;
    bool stored = false;  // measured and written to the cache
};

// cacheFolder: ActivityCacheFolder(), or empty for no cache. jobs: threads that decode.
FolderActivity ActivityOfFolder(const std::string& folderPath,
                                const std::vector<RecordedFrame>& frames,
                                const ActivitySettings& settings, const std::string& cacheFolder,
                                int jobs,
                                const std::function<void(std::size_t done)>& progress = {});

}  // namespace orvik
