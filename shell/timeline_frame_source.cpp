#include "shell/timeline_frame_source.h"

#include <cstddef>

#include "library/capture_time.h"
#include "library/file_manager.h"
#include "shell/player.h"

namespace orvik {

FrameFileSource LibraryFrameSource(const Player& player) {
    return [&player](FramePosition frame, std::int64_t time) -> std::optional<ThumbnailOrder> {
        const CMavFileManager& library = player.Library();
        const CFolderList& list = library.Folders();
        if (player.Busy() || player.Reading() || frame.folder < 0 ||
            frame.folder >= list.folderCount ||
            static_cast<std::size_t>(frame.folder) >= list.folders.size()) {
            return std::nullopt;
        }
        const CMavFolder& folder = *list.folders[static_cast<std::size_t>(frame.folder)];
        const CMavFile* file = folder.GetFile(frame.file);
        // Reckoned as the Timeline reckons its times, so that equal means the same frame.
        if (file == nullptr || MomentOf(folder.dateKey, 0) + file->timeKey != time) {
            return std::nullopt;
        }
        return ThumbnailOrder{FramePath(folder, *file), library.Decoder().variant,
                              library.Decoder().adjustments};
    };
}

}  // namespace orvik
