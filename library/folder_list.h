// CFolderList: the records of all date folders of the tree in slot order, owning them,
// with the slot of the current folder.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "library/mav_folder.h"

namespace orvik {

class CFolderList {
  public:
    CFolderList();
    virtual ~CFolderList();
    CFolderList(const CFolderList&) = delete;
    CFolderList& operator=(const CFolderList&) = delete;

    // Destroys every folder and file; no current folder.
    void Clear();
    // Exchanges the records, the current slot and all, with other.
    void Swap(CFolderList& other) noexcept;
    // None (nullptr) when the list is empty or there is no current folder.
    CMavFolder* GetCurrent() const;
    // Moves the current slot one on or back and gives that folder; none, with the slot
    // left as it was, at the end of the list.
    CMavFolder* MoveNext();
    CMavFolder* MovePrevious();

    // Adds the folder at folderPath and scans its frame files. Dropped when it holds no
    // frame file; refused when the list is full (reported once until the next Clear).
    Addition AddFolder(const char* folderPath, const char* name);
    // Stable sort by dateKey: equal keys keep listing order.
    void SortFolders();
    // Slot of the last folder with this dateKey; 0 when none has it.
    std::int32_t IndexOfDateKey(std::int32_t key) const;
    // Makes the folder nearest to dateKey current (an exact key, else the nearer key
    // number, the later on a tie) and gives the index of the frame to show in it.
    std::int32_t SeekDateTime(std::int32_t dateKey, std::int32_t timeKey);

    std::vector<std::unique_ptr<CMavFolder>> folders;
    std::int32_t folderCount = 0;
    std::int32_t currentIndex = -1;

  private:
    CMavFolder* FolderAt(std::int32_t index) const {
        return folders[static_cast<std::size_t>(index)].get();
    }

    bool folderLimitReported = false;
};

}  // namespace orvik
