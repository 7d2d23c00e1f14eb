// The viewer's scan of a recording, run for a path given on the command line: the path is
// made into what the folder chooser hands the viewer (absolute, no trailing separator),
// and every report of the scan is printed on standard error in the error box's words.
#pragma once

#include <cstdio>
#include <string>

#include "library/error_report.h"
#include "library/file_manager.h"
#include "platform/last_error.h"

namespace orvik {

// Prints each report as "orvik-frame: WHAT failed with error CODE: TEXT" and counts them,
// for the life of the object.
class ScanReportPrinter {
  public:
    int Count() const { return count_; }

  private:
    int count_ = 0;
    ScopedErrorReporter installed{[this](const char* what) {
        std::fprintf(stderr, "orvik-frame: %s\n", FormatErrorReport(what, LastErrorCode()).c_str());
        ++count_;
    }};
};

// The absolute form of a path, "." and ".." resolved by their names, without a trailing
// separator (the root folder "/" stays "/").
std::string ChooserPath(const std::string& given);

// Runs manager.ScanFolderTree on the chooser form of path, which must name a folder.
// False, with a message on standard error, when it is no folder, does not fit a path
// buffer, or the scan fails (the scan's own report is printed too).
bool ScanRecording(CMavFileManager& manager, const std::string& path);

}  // namespace orvik
