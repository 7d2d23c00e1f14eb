#include "tests/library/library_fixtures.h"

#include <cerrno>
#include <cstdio>

#include "library/file_manager.h"

#include "testing/recording/recording_writer.h"

namespace orvik::test {

std::string FrameName(std::int32_t timeKey) {
    return RecordingFrameName("CAM1", timeKey);
}

void WritePlaceholderFrames(const TempTree& tree, const std::string& folder,
                            std::initializer_list<std::int32_t> timeKeys) {
    for (const std::int32_t t : timeKeys) {
        tree.WriteFile(folder + "/" + FrameName(t), std::vector<std::uint8_t>(546, 0));
    }
}

RecordingTimeline ScanTimeline(const TempTree& tree,
                               const std::map<std::string, std::vector<std::int32_t>>& folders) {
    for (const auto& [folder, timeKeys] : folders) {
        for (const std::int32_t t : timeKeys) {
            WritePlaceholderFrames(tree, folder, {t});
        }
    }
    CMavFileManager manager;
    char path[kPathCapacity];
    std::snprintf(path, sizeof path, "%s", tree.Root().c_str());
    manager.ScanFolderTree(path);
    return RecordingTimeline(manager.Folders());
}

std::vector<std::string> ReportRecorder::Whats() const {
    std::vector<std::string> whats;
    for (const Report& r : reports) {
        whats.push_back(r.what);
    }
    return whats;
}

}  // namespace orvik::test
