#include "export/recording_frames.h"

namespace orvik {

std::vector<RecordedFrame> RecordedFrames(const CMavFileManager& manager,
                                          std::string_view onlyFolderPath) {
    std::vector<RecordedFrame> frames;
    const CFolderList& list = manager.Folders();
    for (std::int32_t f = 0; f < list.folderCount; ++f) {
        const CMavFolder& folder = *list.folders[static_cast<std::size_t>(f)];
        if (!onlyFolderPath.empty() && onlyFolderPath != folder.path) {
            continue;
        }
        for (std::int32_t i = 0; i < folder.GetFileCount(); ++i) {
            const CMavFile& file = *folder.GetFile(i);
            frames.push_back({std::string(folder.path) + kPathSeparator + file.ListedName(),
                              folder.dateKey, file.timeKey});
        }
    }
    return frames;
}

}  // namespace orvik
