// The tree scan: the root's date folders, each with its frame files, ordered by time, and
// the choice of the current folder.
#include <cstring>

#include "library/error_report.h"
#include "library/file_manager.h"
#include "library/name_keys.h"
#include "library/report_texts.h"
#include "platform/directory_listing.h"
#include "text/bounded_format.h"

namespace orvik {
namespace {

constexpr std::size_t kDateKeyLength = 8;
constexpr char kSeparatorText[] = {kPathSeparator, '\0'};

bool IsDateKey(std::int32_t key) {
    return key >= kMinDateKey && key <= kMaxDateKey;
}

}  // namespace

int CMavFileManager::ScanFolderTree(char* path) {
    folderList.Clear();
    currentFolder = nullptr;
    PlaceCursor(nullptr, 0);
    shownFile = nullptr;
    std::int32_t selectedKey = 0;
    std::int32_t lastKey = 0;

    char* separator = std::strrchr(path, kPathSeparator);
    if (separator == nullptr) {
        return 1;
    }
    // A picked date folder: scan its parent and make the picked folder current.
    if (std::strlen(separator + 1) >= kDateKeyLength) {
        lastKey = DateKeyOfName(separator + 1);
        if (IsDateKey(lastKey)) {
            // The parent of a folder right below "/" is "/" itself, not the empty path.
            separator[separator == path ? 1 : 0] = '\0';
            BoundedFormat(rootPath, sizeof rootPath, "%s", path);
            selectedKey = lastKey;
        }
    }

    DirectoryListing listing;
    if (const int code = ListDirectory(path, listing); code != 0) {
        ReportError({kRootNotListed, code});
        return 1;
    }
    BoundedFormat(rootPath, sizeof rootPath, "%s", path);
    folderList.currentIndex = -1;
    totalFiles = 0;
    const char* joiner = path[std::strlen(path) - 1] == kPathSeparator ? "" : kSeparatorText;

    for (std::size_t i = 0; i < listing.Count(); ++i) {
        const ListingEntry entry = listing.Entry(i);
        if (!entry.isDirectory || entry.name.size() < kDateKeyLength) {
            continue;
        }
        // Taken before the range test: an out-of-range name still moves the last key.
        lastKey = DateKeyOfName(entry.name);
        if (!IsDateKey(lastKey)) {
            continue;
        }
        char folderPath[kPathCapacity];
        BoundedFormat(folderPath, sizeof folderPath, "%s%s%s", path, joiner, entry.name.data());
        if (folderList.AddFolder(folderPath, entry.name.data()) != Addition::kAdded) {
            continue;
        }
        ++folderList.currentIndex;
        totalFiles += folderList.GetCurrent()->GetFileCount();
    }
    if (folderList.folderCount > 0) {
        folderList.SortFolders();
    }
    if (selectedKey == 0) {
        selectedKey = lastKey;
    }
    folderList.currentIndex = folderList.IndexOfDateKey(selectedKey);
    if (!listing.Complete()) {
        ReportError({kListingCutShort, listing.stopCode});
    }
    return 0;
}

}  // namespace orvik
