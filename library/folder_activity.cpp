#include "library/folder_activity.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "library/activity_cache.h"
#include "library/activity_measure.h"

namespace orvik {

std::vector<RecordedFrame> FolderFrames(const CFolderList& folders, std::int32_t index,
                                        const RecordingTimeline& timeline) {
    std::vector<RecordedFrame> frames;
    if (index < 0 || index >= folders.folderCount) {
        return frames;
    }
    const CMavFolder& folder = *folders.folders[static_cast<std::size_t>(index)];
    for (std::int32_t file = 0; file < folder.fileCount; ++file) {
        const CMavFile* record = folder.GetFile(file);
        const std::optional<CaptureMoment> moment = timeline.TimeOf(index, file);
        if (record != nullptr && moment) {
            frames.push_back({FramePath(folder, *record), *moment, false});
        }
    }
    return frames;
}

FolderActivity ActivityOfFolder(const std::string& folderPath,
                                const std::vector<RecordedFrame>& frames,
                                const ActivitySettings& settings, const std::string& cacheFolder,
                                int jobs, const std::function<void(std::size_t done)>& progress) {
    FolderActivity result;
    std::string cachePath;
    std::uint64_t key = 0;
    if (!cacheFolder.empty()) {
        cachePath = ActivityCachePath(cacheFolder, folderPath, settings);
        key = ActivityCacheKey(frames, settings);
        if (std::optional<std::vector<Activity>> kept =
                LoadActivity(cachePath, key, frames.size())) {
            result.activity = std::move(*kept);
            result.refused =
                std::count(result.activity.begin(), result.activity.end(), kNoActivity);
            result.fromCache = true;
            if (progress) {
                progress(frames.size());
            }
            return result;
        }
    }
    MeasuredActivity measured = MeasureActivity(frames, settings, jobs, progress);
    result.activity = std::move(measured.activity);
    result.refused = measured.refused;
    result.stored = !cachePath.empty() && StoreActivity(cachePath, key, result.activity).Ok();
    return result;
}

}  // namespace orvik
