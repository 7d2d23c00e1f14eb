#include "tools/frame/recording_scan.h"

#include <sys/stat.h>

#include <cstdio>

#include "platform/paths.h"
#include "text/bounded_format.h"
#include "tools/frame/json_text.h"

namespace orvik {
namespace {

// path in the chooser's form, in a path buffer; a failure when it names no folder or does
// not fit one.
Result<std::string> ChosenFolder(const std::string& path, char (&buffer)[kPathCapacity]) {
    std::string chosen = AbsoluteFolderPath(path);
    struct stat status;
    if (stat(chosen.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        return Status::Failure("not a folder");
    }
    if (BoundedFormat(buffer, sizeof buffer, "%s", chosen.c_str()) != FormatResult::kOk) {
        return Status::Failure("path too long");
    }
    return chosen;
}

constexpr char kCannotBeScanned[] = "cannot be scanned";

}  // namespace

ScanReportPrinter::ScanReportPrinter(bool json) : json_(json) {}

void ScanReportPrinter::Print(const ErrorReport& report) {
    const std::string text = ReportText(report);
    std::fprintf(stderr, "orvik-frame: %s\n", text.c_str());
    if (json_) {
        std::puts(JsonObject()
                      .Text("type", "report")
                      .Text("what", report.what)
                      .Number("code", report.code)
                      .Text("text", text)
                      .Json()
                      .c_str());
    }
    ++count_;
}

void PrintInputFailure(const std::string& path, const std::string& why, bool json) {
    std::fprintf(stderr, "orvik-frame: %s: %s\n", path.c_str(), why.c_str());
    if (json) {
        std::puts(PathReasonJson("error", path, why).c_str());
    }
}

Result<std::string> ScanRecordingAt(CMavFileManager& manager, const std::string& path) {
    char buffer[kPathCapacity];
    Result<std::string> chosen = ChosenFolder(path, buffer);
    if (chosen.Ok() && manager.ScanFolderTree(buffer) != 0) {
        return Status::Failure(kCannotBeScanned);
    }
    return chosen;
}

std::optional<std::string> ScanRecording(CMavFileManager& manager, const std::string& path) {
    Result<std::string> scanned = ScanRecordingAt(manager, path);
    if (!scanned.Ok()) {
        PrintInputFailure(path, scanned.Why(), false);
        return std::nullopt;
    }
    return *scanned;
}

Status ReadAskedRecording(AskedFrames& asked, const std::string& path, const CaptureRange& range) {
    char buffer[kPathCapacity];
    const Result<std::string> chosen = ChosenFolder(path, buffer);
    if (!chosen.Ok()) {
        return Status::Failure(chosen.Why());
    }
    return asked.Read(buffer, range) == 0 ? Status() : Status::Failure(kCannotBeScanned);
}

CaptureRange RangeAsked(const Options& options) {
    CaptureRange range;
    if (options.from) {
        range.from = MomentOf(*options.from);
    }
    if (options.to) {
        range.to = MomentOf(*options.to);
    }
    return range;
}

}  // namespace orvik
