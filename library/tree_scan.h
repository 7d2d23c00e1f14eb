// The tree scan, runnable on any thread: the root's date folders, each with its frame files,
// ordered by time, and the choice of the current folder, into records of its own that the
// clip library object then takes (CMavFileManager::TakeScannedTree). ScanFolderTree is this
// scan run in place; the viewer runs it on a worker, so that the window is never held.
//
// Beside it, a quick look at the folder the scan will choose: what the folder names say is
// enough to name it, so its first frame can be shown while the rest is still read.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "library/folder_list.h"
#include "platform/path_capacity.h"

namespace orvik {

// The records a scan made, with what it says of the tree.
struct ScannedTree {
    CFolderList folders;
    // The path as given, and what was scanned: a picked date folder's parent (the picked
    // folder then becomes current).
    char path[kPathCapacity] = {};
    char rootPath[kPathCapacity] = {};
    std::int32_t totalFiles = 0;
    // 0 when the scan ran; 1 when the path holds no separator or the root cannot be listed.
    int result = 1;
};

// What the scan's caller may follow and stop.
struct ScanWatch {
    // Asked before each date folder; true stops the scan (its tree is then to be dropped).
    std::function<bool()> cancelled;
    // After each kept date folder: the folders and frames kept so far.
    std::function<void(std::int32_t folders, std::int64_t frames)> progress;
};

// Scans the tree at path into tree, with every report the scan gives made through
// ReportError on the calling thread, in the order the scan meets them.
void ScanTree(const char* path, ScannedTree& tree, const ScanWatch& watch = {});

// The date folder the scan of path will make current, listed quietly (nothing is reported):
// none when the root cannot be listed, no folder has the key the scan will choose, or that
// folder holds no frame file. A folder the full scan refuses (beyond the folder limit) may
// still be given; the full scan's records are the ones that count.
std::unique_ptr<CMavFolder> ChosenFolderAhead(const char* path);

}  // namespace orvik
