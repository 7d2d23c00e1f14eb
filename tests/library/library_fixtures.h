// What the library tests share: frame file names for capture times, placeholder frame
// files, and a reporter that records what the library reports.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "library/error_report.h"
#include "library/recording_timeline.h"
#include "testing/support/temp_tree.h"

namespace orvik::test {

// Hundredths of a second since midnight.
constexpr std::int32_t TimeOfDay(int hours, int minutes, int seconds, int hundredths = 0) {
    return hours * 360000 + minutes * 6000 + seconds * 100 + hundredths;
}

// "CAM1" + HHMMSSCC + ".JPG": the name a recorder gives the frame captured at timeKey.
std::string FrameName(std::int32_t timeKey);

// 546 bytes, one more than a header, whose header names no picture size the decoder makes:
// the scan takes it, and loading it decodes nothing.
void WritePlaceholderFrames(const TempTree& tree, const std::string& folder,
                            std::initializer_list<std::int32_t> timeKeys);

// Writes placeholder frames for each folder's time keys, scans the tree as the viewer does
// and gives the timeline of the records the scan made.
RecordingTimeline ScanTimeline(const TempTree& tree,
                               const std::map<std::string, std::vector<std::int32_t>>& folders);

struct Report {
    std::string what;
    int code;
    bool operator==(const Report&) const = default;
};

// Installed as the library's error reporter for the life of the object.
class ReportRecorder {
  public:
    std::vector<std::string> Whats() const;
    std::vector<Report> reports;

  private:
    ScopedErrorReporter installed{[this](const ErrorReport& report) {
        reports.push_back(Report{report.what, report.code});
    }};
};

}  // namespace orvik::test
