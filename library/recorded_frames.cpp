#include "library/recorded_frames.h"

namespace orvik {

std::vector<RecordedFrame> RecordedFrames(const CFolderList& folders,
                                          std::string_view onlyFolderPath) {
    std::vector<FolderRun> runs;
    for (std::int32_t f = 0; f < folders.folderCount; ++f) {
        const CMavFolder& folder = *folders.folders[static_cast<std::size_t>(f)];
        if (onlyFolderPath.empty() || onlyFolderPath == folder.path) {
            runs.push_back({&folder, 0, folder.GetFileCount()});
        }
    }
    return RecordedFrames(runs);
}

std::vector<RecordedFrame> RecordedFrames(std::span<const FolderRun> runs) {
    std::size_t count = 0;
    for (const FolderRun& run : runs) {
        count += static_cast<std::size_t>(run.count);
    }
    std::vector<RecordedFrame> frames;
    frames.reserve(count);  // no copies while it grows: a month holds millions
    for (const FolderRun& run : runs) {
        const CMavFolder& folder = *run.folder;
        // The folder's date once, not per frame.
        const CaptureMoment midnight = MomentOf(folder.dateKey, 0);
        for (std::int32_t i = run.first; i < run.first + run.count; ++i) {
            const CMavFile& file = *folder.GetFile(i);
            frames.push_back({FramePath(folder, file), midnight + file.timeKey,
                              CaptureTimeOfFrame(folder.name, file.name).has_value()});
        }
    }
    return frames;
}

std::optional<CaptureTime> NamedCaptureTime(const RecordedFrame& frame) {
    if (!frame.namesSpellTime) {
        return std::nullopt;
    }
    return TimeAtMoment(frame.moment);
}

std::optional<CaptureMoment> ShownMoment(const CMavFileManager& files) {
    if (files.ShownFile() == nullptr) {
        return std::nullopt;
    }
    return MomentOf(files.ShownFolder()->dateKey, files.ShownFile()->timeKey);
}

}  // namespace orvik
