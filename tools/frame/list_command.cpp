// orvik-frame list: the date folders of a recording as the viewer's scan orders them, with
// the folder the viewer would show first marked; as text lines, or with --format json as
// one JSON object a line: the scan's reports, each folder, then a summary.
#include <cstdio>
#include <string>
#include <vector>

#include "library/capture_time.h"
#include "library/name_keys.h"
#include "tools/frame/commands.h"
#include "tools/frame/json_text.h"
#include "tools/frame/recording_scan.h"

namespace orvik {
namespace {

// Pauses between two frames longer than this are listed: longer than a footage gap, so
// that the list names the pauses a reader looks for, not every stutter of the recorder.
constexpr std::int32_t kListedGap = 10 * kHundredthsPerSecond;

// The viewer's date text for a folder: 20YY/MM/DD from the first six characters of its name.
std::string DateText(const char* name) {
    char text[kDateTextCapacity];
    WriteDateText(text, sizeof text, name);
    return text;
}

struct Gap {
    std::int32_t before;  // time key of the frame before it
    std::int32_t length;  // hundredths
};

std::vector<Gap> GapsOf(const CMavFolder& folder) {
    std::vector<Gap> gaps;
    for (const CMavFile* file = folder.GetFirstFile(); file != nullptr && file->next != nullptr;
         file = file->next) {
        const std::int32_t gap = file->next->timeKey - file->timeKey;
        if (gap > kListedGap) {
            gaps.push_back({file->timeKey, gap});
        }
    }
    return gaps;
}

// "gaps 12:00:05.00 (15.00 s), ..." or "no gaps".
std::string GapsText(const std::vector<Gap>& gaps) {
    std::string text;
    for (const Gap& gap : gaps) {
        char length[32];
        std::snprintf(length, sizeof length, " (%d.%02d s)", static_cast<int>(gap.length / 100),
                      static_cast<int>(gap.length % 100));
        text += (text.empty() ? "" : ", ") + TimeOfDayText(gap.before) + length;
    }
    return text.empty() ? "no gaps" : "gaps " + text;
}

std::string FolderLine(const CMavFolder& folder, bool current) {
    char line[256];
    std::snprintf(line, sizeof line, "%c %s  %s  %s - %s  %d frames  ", current ? '*' : ' ',
                  folder.name, DateText(folder.name).c_str(),
                  TimeOfDayText(folder.GetFirstFile()->timeKey).c_str(),
                  TimeOfDayText(folder.GetLastFile()->timeKey).c_str(),
                  static_cast<int>(folder.GetFileCount()));
    return line + GapsText(GapsOf(folder));
}

std::string FolderJson(const CMavFolder& folder, bool current) {
    std::vector<std::string> gaps;
    for (const Gap& gap : GapsOf(folder)) {
        gaps.push_back(JsonObject()
                           .Text("after", TimeOfDayText(gap.before))
                           .FixedPoint("seconds", gap.length, 2)
                           .Json());
    }
    return JsonObject()
        .Text("type", "folder")
        .Text("name", folder.name)
        .Text("path", folder.path)
        .Text("date", DateText(folder.name))
        .Text("first", TimeOfDayText(folder.GetFirstFile()->timeKey))
        .Text("last", TimeOfDayText(folder.GetLastFile()->timeKey))
        .Number("frames", folder.GetFileCount())
        .Flag("current", current)
        .Value("gaps", JsonArray(gaps))
        .Json();
}

void PrintJsonSummary(const Options& options, std::int32_t folders, std::int32_t frames,
                      int reports, int exitCode) {
    std::puts(JsonObject()
                  .Text("type", "summary")
                  .Text("command", "list")
                  .Text("path", options.inputs.front())
                  .Number("folders", folders)
                  .Number("frames", frames)
                  .Number("reports", reports)
                  .Number("exit", exitCode)
                  .Json()
                  .c_str());
}

}  // namespace

int RunList(const Options& options) {
    ScanReportPrinter reports(options.jsonLines);
    CMavFileManager manager;
    const std::string& path = options.inputs.front();
    if (const Result<std::string> scanned = ScanRecordingAt(manager, path); !scanned.Ok()) {
        PrintInputFailure(path, scanned.Why(), options.jsonLines);
        if (options.jsonLines) {
            PrintJsonSummary(options, 0, 0, reports.Count(), kExitRefused);
        }
        return kExitRefused;
    }
    const CFolderList& list = manager.Folders();
    for (std::int32_t i = 0; i < list.folderCount; ++i) {
        const CMavFolder& folder = *list.folders[static_cast<std::size_t>(i)];
        const bool current = i == list.currentIndex;
        std::puts((options.jsonLines ? FolderJson(folder, current) : FolderLine(folder, current))
                      .c_str());
    }
    const int exitCode = reports.Count() == 0 ? kExitAllWell : kExitRefused;
    if (options.jsonLines) {
        PrintJsonSummary(options, list.folderCount, manager.TotalFiles(), reports.Count(),
                         exitCode);
    } else {
        std::printf("%d folders, %d frames\n", static_cast<int>(list.folderCount),
                    static_cast<int>(manager.TotalFiles()));
    }
    return exitCode;
}

}  // namespace orvik
