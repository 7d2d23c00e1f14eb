// orvik-frame list: the date folders of a recording as the viewer's scan orders them, with
// the folder the viewer would show first marked.
#include <cstdio>
#include <string>

#include "library/capture_time.h"
#include "library/name_keys.h"
#include "tools/frame/commands.h"
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

// "12:00:05.00 (15.00 s)" for every gap: the frame before it and its length.
std::string GapsText(const CMavFolder& folder) {
    std::string text;
    for (const CMavFile* file = folder.GetFirstFile(); file != nullptr && file->next != nullptr;
         file = file->next) {
        const std::int32_t gap = file->next->timeKey - file->timeKey;
        if (gap <= kListedGap) {
            continue;
        }
        char length[32];
        std::snprintf(length, sizeof length, " (%d.%02d s)", static_cast<int>(gap / 100),
                      static_cast<int>(gap % 100));
        text += (text.empty() ? "" : ", ") + TimeOfDayText(file->timeKey) + length;
    }
    return text.empty() ? "no gaps" : "gaps " + text;
}

}  // namespace

int RunList(const Options& options) {
    ScanReportPrinter reports;
    CMavFileManager manager;
    if (!ScanRecording(manager, options.inputs.front())) {
        return kExitRefused;
    }
    const CFolderList& list = manager.Folders();
    for (std::int32_t i = 0; i < list.folderCount; ++i) {
        const CMavFolder& folder = *list.folders[static_cast<std::size_t>(i)];
        std::printf("%c %s  %s  %s - %s  %d frames  %s\n", i == list.currentIndex ? '*' : ' ',
                    folder.name, DateText(folder.name).c_str(),
                    TimeOfDayText(folder.GetFirstFile()->timeKey).c_str(),
                    TimeOfDayText(folder.GetLastFile()->timeKey).c_str(),
                    static_cast<int>(folder.GetFileCount()), GapsText(folder).c_str());
    }
    std::printf("%d folders, %d frames\n", static_cast<int>(list.folderCount),
                static_cast<int>(manager.TotalFiles()));
    return reports.Count() == 0 ? kExitAllWell : kExitRefused;
}

}  // namespace orvik
