#include "tests/library/library_fixtures.h"

#include <cerrno>
#include <cstdio>

#include "tools/recording/recording_writer.h"

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

std::vector<std::string> ReportRecorder::Whats() const {
    std::vector<std::string> whats;
    for (const Report& r : reports) {
        whats.push_back(r.what);
    }
    return whats;
}

}  // namespace orvik::test
