// The frames a batch command asks for, read as the viewer's scan reads them and no further.
// The scan reads every date folder of a root; for a month of footage that is hundreds of
// folders and millions of frames, where a command that names one date folder, or a range
// of capture times, needs a few of them:
//  - a date folder given is read alone (its parent's listing is read, for its entry);
//  - of a root, only the folders that can hold a frame of the range: by the folder's date
//    first (a frame's time key can run to hour 99, so a folder's frames lie within four days
//    after its midnight), then by the names of its files, listed without looking at each.
// A folder read is read by the scan's own folder reading (CFolderList::AddFolder), so its
// frames, their order and the reports made while reading it are the scan's; the reports
// about folders not read are not made, and the root's own reports are. Which folders the
// scan keeps depends on the folders before them only once the records are full: a root with
// more date folders than the records take is read whole, as the scan reads it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "library/folder_list.h"
#include "library/frame_runs.h"

namespace orvik {

class AskedFrames {
  public:
    // Reads what path asks for, path as ScanFolderTree takes it (a root, or a date folder by
    // the last name of the path): the frames captured within range, of the date folder alone
    // or of the whole root. 0 when read; 1, as the scan returns it, when the path holds no
    // separator or its root cannot be listed (reported).
    int Read(const char* path, const CaptureRange& range);

    // The frames asked for, in the scan's order: folder by folder as the scan orders the
    // folders, each run in time order. No run is empty.
    const std::vector<FolderRun>& Runs() const { return runs_; }
    std::size_t FrameCount() const { return frameCount_; }
    // The date folders read, kept as the scan keeps them (some may hold no frame asked for).
    const CFolderList& Folders() const { return folders_; }

  private:
    // Whether the folder at folderPath, dated dateKey, can hold a frame of range.
    static bool CanHoldRange(const char* folderPath, std::int32_t dateKey,
                             const CaptureRange& range);
    void MakeRuns(const std::string& onlyFolderPath, const CaptureRange& range);

    CFolderList folders_;
    std::vector<FolderRun> runs_;
    std::size_t frameCount_ = 0;
};

}  // namespace orvik
