// The viewer's scan of a recording, run for a path given on the command line: the path is
// made into what the folder chooser hands the viewer, and every report of the scan is
// printed on standard error in the error box's words.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "library/error_report.h"
#include "library/file_manager.h"

namespace orvik {

// Prints each report as "orvik-frame: WHAT failed with error CODE: TEXT" and counts them,
// for the life of the object.
class ScanReportPrinter {
  public:
    int Count() const { return count_; }

  private:
    int count_ = 0;
    ScopedErrorReporter installed{[this](const ErrorReport& report) {
        std::fprintf(stderr, "orvik-frame: %s\n", ReportText(report).c_str());
        ++count_;
    }};
};

// Runs manager.ScanFolderTree on the chooser's form of path (AbsoluteFolderPath), which must
// name a folder, and gives that form: the root's path when path named a root, else the
// date folder's. None, with a message on standard error, when path is no folder, does not
// fit a path buffer, or the scan fails (the scan's own report is printed too).
std::optional<std::string> ScanRecording(CMavFileManager& manager, const std::string& path);

}  // namespace orvik
