#include "library/folder_list.h"

#include <algorithm>

#include "library/error_report.h"
#include "library/name_keys.h"
#include "library/record_links.h"
#include "library/report_texts.h"
#include "platform/last_error.h"

namespace orvik {

CFolderList::CFolderList() = default;

CFolderList::~CFolderList() = default;

void CFolderList::Clear() {
    folders.clear();
    folderCount = 0;
    currentIndex = -1;
    folderLimitReported = false;
}

void CFolderList::Swap(CFolderList& other) noexcept {
    std::swap(folders, other.folders);
    std::swap(folderCount, other.folderCount);
    std::swap(currentIndex, other.currentIndex);
    std::swap(folderLimitReported, other.folderLimitReported);
}

CMavFolder* CFolderList::GetCurrent() const {
    if (folderCount == 0 || currentIndex < 0 || currentIndex >= folderCount) {
        return nullptr;
    }
    return FolderAt(currentIndex);
}

CMavFolder* CFolderList::MoveNext() {
    if (currentIndex < -1 || currentIndex >= folderCount - 1) {
        return nullptr;
    }
    ++currentIndex;
    return FolderAt(currentIndex);
}

CMavFolder* CFolderList::MovePrevious() {
    if (currentIndex <= 0 || currentIndex > folderCount) {
        return nullptr;
    }
    --currentIndex;
    return FolderAt(currentIndex);
}

Addition CFolderList::AddFolder(const char* folderPath, const char* name) {
    if (folderCount >= kMaxFolders) {
        if (!folderLimitReported) {
            folderLimitReported = true;
            ReportError({kTooManyFolders, LastErrorCode()});
        }
        return Addition::kRefused;
    }
    CMavFolder* last = folderCount > 0 ? FolderAt(folderCount - 1) : nullptr;
    CMavFolder& added = *folders.emplace_back(std::make_unique<CMavFolder>(name, last));
    if (last != nullptr) {
        last->next = &added;
    }
    added.ScanFiles(folderPath);
    added.dateKey = DateKeyOfName(name);
    if (added.GetFileCount() > 0) {
        ++folderCount;
        return Addition::kAdded;
    }
    folders.pop_back();
    if (last != nullptr) {
        last->next = nullptr;
    }
    return Addition::kDropped;
}

void CFolderList::SortFolders() {
    std::stable_sort(folders.begin(), folders.end(),
                     [](const std::unique_ptr<CMavFolder>& a,
                        const std::unique_ptr<CMavFolder>& b) { return a->dateKey < b->dateKey; });
    LinkInSlotOrder(folders.size(), [this](std::size_t i) { return folders[i].get(); });
}

std::int32_t CFolderList::IndexOfDateKey(std::int32_t key) const {
    for (std::int32_t i = folderCount - 1; i >= 0; --i) {
        if (FolderAt(i)->dateKey == key) {
            return i;
        }
    }
    return 0;
}

std::int32_t CFolderList::SeekDateTime(std::int32_t dateKey, std::int32_t timeKey) {
    currentIndex = 0;
    for (std::int32_t i = folderCount - 1; i >= 0; --i) {
        CMavFolder* folder = FolderAt(i);
        if (folder->dateKey == dateKey) {
            currentIndex = i;
            return folder->FindFileByTime(timeKey);
        }
        if (folder->dateKey < dateKey) {
            currentIndex = i;
            if (i + 1 < folderCount) {
                // Differences of the key numbers themselves; 64 bits, so any target fits.
                const std::int64_t before = std::int64_t{dateKey} - folder->dateKey;
                const std::int64_t after = std::int64_t{FolderAt(i + 1)->dateKey} - dateKey;
                if (after <= before) {
                    currentIndex = i + 1;  // the later folder on a tie
                }
            }
            return 0;
        }
    }
    return 0;
}

}  // namespace orvik
