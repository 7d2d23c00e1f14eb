// The viewer's scan of a recording, run for a path given on the command line: the path is
// made into what the folder chooser hands the viewer, and every report of the scan is
// printed on standard error in the error box's words (and, for --format json, as a JSON
// line on standard output too).
#pragma once

#include <optional>
#include <string>

#include "library/asked_frames.h"
#include "library/error_report.h"
#include "library/file_manager.h"
#include "platform/status.h"
#include "tools/frame/command_line.h"

namespace orvik {

// Prints each report as "orvik-frame: WHAT failed with error CODE: TEXT" on standard error
// and counts them, for the life of the object; with json, also as
// {"type":"report","what":WHAT,"code":CODE,"text":...} on standard output.
class ScanReportPrinter {
  public:
    explicit ScanReportPrinter(bool json = false);
    int Count() const { return count_; }

  private:
    void Print(const ErrorReport& report);

    bool json_;
    int count_ = 0;
    ScopedErrorReporter installed_{[this](const ErrorReport& report) { Print(report); }};
};

// Prints why an input given on the command line could not be read at all, as
// "orvik-frame: PATH: WHY" on standard error; with json, also as
// {"type":"error","path":PATH,"reason":WHY} on standard output.
void PrintInputFailure(const std::string& path, const std::string& why, bool json);

// Runs manager.ScanFolderTree on the chooser's form of path (AbsoluteFolderPath), which must
// name a folder, and gives that form: the root's path when path named a root, else the
// date folder's. Fails when path is no folder, does not fit a path buffer, or the scan fails
// (the scan reports why too).
Result<std::string> ScanRecordingAt(CMavFileManager& manager, const std::string& path);
// ScanRecordingAt, a failure printed on standard error.
std::optional<std::string> ScanRecording(CMavFileManager& manager, const std::string& path);

// Reads what path asks for (AskedFrames::Read) on the chooser's form of path: a date folder
// alone, or the folders of a root that can hold frames of range. Fails as ScanRecordingAt
// does.
Status ReadAskedRecording(AskedFrames& asked, const std::string& path, const CaptureRange& range);

// The capture times --from and --to ask for.
CaptureRange RangeAsked(const Options& options);

}  // namespace orvik
