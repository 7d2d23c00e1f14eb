// CMavFolder: the record of one date folder, owning the records of its frame files in slot
// order. The scan fills it (ScanFiles, AddFile, SortFiles); the search asks it for the
// frame before a time (FindFileByTime).
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <utility>

#include "library/mav_file.h"
#include "library/record_limits.h"
#include "platform/path_capacity.h"

namespace orvik {

// What became of a record offered to its list.
enum class Addition {
    kAdded,
    kDropped,  // nothing to keep (a folder without frame files)
    kRefused,  // the list is full, or the record is not one it takes
};

// How a folder's files were listed. Every outcome but kComplete was reported.
enum class FileScan {
    kComplete,
    kCutShort,  // an error stopped the listing; the files listed before it are kept
    kRefused,   // nothing listed: the folder already holds files, or cannot be listed
};

class CMavFolder {
  public:
    // name is cut to 31 characters; path and dateKey are set by the scan.
    CMavFolder(const char* name, CMavFolder* prev);
    virtual ~CMavFolder();
    CMavFolder(const CMavFolder&) = delete;
    CMavFolder& operator=(const CMavFolder&) = delete;

    // None (nullptr) when the folder is empty or index lies outside 0..fileCount-1.
    const CMavFile* GetFirstFile() const { return GetFile(0); }
    const CMavFile* GetLastFile() const { return GetFile(fileCount - 1); }
    const CMavFile* GetFile(std::int32_t index) const;
    CMavFile* GetFirstFile() { return GetFile(0); }
    CMavFile* GetLastFile() { return GetFile(fileCount - 1); }
    CMavFile* GetFile(std::int32_t index) {
        return const_cast<CMavFile*>(std::as_const(*this).GetFile(index));
    }
    std::int32_t GetFileCount() const { return fileCount; }

    // Lists folderPath and adds its frame files, sorted.
    FileScan ScanFiles(const char* folderPath);
    // Adds a frame file after the last one. name (a name buffer) is raised to upper case.
    // listedName is the whole name as listed, kept for opening the file; when empty, name
    // as given is taken for it. Refused when the folder is full (reported for the first
    // refused file only) or the name's digits make 0.
    Addition AddFile(char* name, std::string_view listedName = {});
    // Stable sort by timeKey: equal keys keep listing order.
    void SortFiles();
    // Index of the last frame captured strictly before timeKey; 0 when none is. Kept in
    // foundIndex.
    std::int32_t FindFileByTime(std::int32_t timeKey);
    // Index of the last frame captured at or before timeKey; -1 when none is.
    std::int32_t IndexAtOrBefore(std::int32_t timeKey) const;

    // Deque: records keep their addresses as the folder grows, and cost no more than
    // themselves (no pointer per record, no preallocated slots).
    std::deque<CMavFile> files;
    std::int32_t fileCount = 0;
    std::int32_t foundIndex = 0;
    char path[kPathCapacity];  // root path, '/', name; empty until scanned
    char name[kNameCapacity];
    CMavFolder* prev;
    CMavFolder* next = nullptr;
    std::int32_t dateKey = 0;

  private:
    bool fileLimitReported = false;
};

// "folder path/listed name": the path every reader opens a frame file by, so that a name in
// lower case, or longer than a record keeps, opens that very file.
std::string FramePath(const CMavFolder& folder, const CMavFile& file);

}  // namespace orvik
