#include "tests/library/library_fixtures.h"

#include <cerrno>
#include <cstdio>

#include "library/error_report.h"

namespace orvik::test {

std::string FrameName(std::int32_t timeKey) {
    char name[32];
    std::snprintf(name, sizeof name, "CAM1%02d%02d%04d.JPG", timeKey / 360000, timeKey / 6000 % 60,
                  timeKey % 6000);
    return name;
}

void WritePlaceholderFrames(const TempTree& tree, const std::string& folder,
                            std::initializer_list<std::int32_t> timeKeys) {
    for (const std::int32_t t : timeKeys) {
        tree.WriteFile(folder + "/" + FrameName(t), std::vector<std::uint8_t>(546, 0));
    }
}

ReportRecorder::ReportRecorder() {
    SetLastErrorReporter([this](const char* what) { reports.push_back(Report{what, errno}); });
}

ReportRecorder::~ReportRecorder() {
    SetLastErrorReporter(nullptr);
}

std::vector<std::string> ReportRecorder::Whats() const {
    std::vector<std::string> whats;
    for (const Report& r : reports) {
        whats.push_back(r.what);
    }
    return whats;
}

}  // namespace orvik::test
