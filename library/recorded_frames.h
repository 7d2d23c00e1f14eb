// The frames of a scanned recording as the readers of whole recordings take them: each by
// the path it is opened by and its capture moment, read out of the clip library's records.
// The export and orvik-frame check list their frames here, and the viewer's clip marks are
// the moments these frames carry, so that a mark picks the very frame it was set on.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "library/capture_time.h"
#include "library/file_manager.h"
#include "library/frame_runs.h"

namespace orvik {

struct RecordedFrame {
    std::string path;          // FramePath: its folder's path and its name as listed
    CaptureMoment moment = 0;  // its folder's date key and its own time key
    // Whether its names spell a real date and time of day (CaptureTimeOfFrame). That time is
    // then the moment's own (TimeAtMoment), and it is what a JPEG of the frame carries.
    bool namesSpellTime = false;
};

// Every frame of the records after a scan, folder by folder in the viewer's order; with
// onlyFolderPath given, the frames of the date folder at that path alone.
std::vector<RecordedFrame> RecordedFrames(const CFolderList& folders,
                                          std::string_view onlyFolderPath = {});
// The frames of the runs, run by run.
std::vector<RecordedFrame> RecordedFrames(std::span<const FolderRun> runs);

// The capture time a JPEG of the frame carries; none when its names spell none.
std::optional<CaptureTime> NamedCaptureTime(const RecordedFrame& frame);

// The moment of the frame the viewer shows, which a clip mark holds; none before a frame is
// shown.
std::optional<CaptureMoment> ShownMoment(const CMavFileManager& files);

}  // namespace orvik
