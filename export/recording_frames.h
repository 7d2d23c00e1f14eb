// The frames of a scanned recording, read out of the clip library's records. This is the
// export's one reader of the records: everything else works on what it gives.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "library/file_manager.h"

namespace orvik {

struct RecordedFrame {
    std::string path;          // the folder's path and the file's name as listed
    std::int32_t dateKey = 0;  // the folder's YYMMDDHH
    std::int32_t timeKey = 0;  // the frame's time of day, hundredths of a second
};

// Every frame of the records after ScanFolderTree, folder by folder in the viewer's order;
// with onlyFolderPath given, the frames of the date folder at that path alone.
std::vector<RecordedFrame> RecordedFrames(const CMavFileManager& manager,
                                          std::string_view onlyFolderPath = {});

}  // namespace orvik
