#include "library/tree_scan.h"

#include <cstring>
#include <string_view>

#include "library/error_report.h"
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

// Where a scan of path starts: the root to list, and the key of the folder to choose when a
// date folder itself was picked (0 otherwise). False when the path holds no separator.
bool ScanStart(char* root, std::int32_t& pickedKey) {
    char* separator = std::strrchr(root, kPathSeparator);
    if (separator == nullptr) {
        return false;
    }
    pickedKey = 0;
    if (std::strlen(separator + 1) >= kDateKeyLength) {
        const std::int32_t key = DateKeyOfName(separator + 1);
        if (IsDateKey(key)) {
            // The parent of a folder right below "/" is "/" itself, not the empty path.
            separator[separator == root ? 1 : 0] = '\0';
            pickedKey = key;
        }
    }
    return true;
}

// The key of the last directory name of at least eight characters the listing gives, in
// range or not: the folder the scan chooses when no date folder was picked.
std::int32_t LastDirectoryKey(const DirectoryListing& listing) {
    std::int32_t key = 0;
    for (std::size_t i = 0; i < listing.Count(); ++i) {
        const ListingEntry entry = listing.Entry(i);
        if (entry.isDirectory && entry.name.size() >= kDateKeyLength) {
            key = DateKeyOfName(entry.name);
        }
    }
    return key;
}

void FolderPath(char (&folderPath)[kPathCapacity], const char* root, std::string_view name) {
    const char* joiner = root[std::strlen(root) - 1] == kPathSeparator ? "" : kSeparatorText;
    BoundedFormat(folderPath, sizeof folderPath, "%s%s%s", root, joiner, name.data());
}

}  // namespace

void ScanTree(const char* path, ScannedTree& tree, const ScanWatch& watch) {
    CFolderList& folders = tree.folders;
    folders.Clear();
    tree.totalFiles = 0;
    tree.result = 1;
    BoundedFormat(tree.path, sizeof tree.path, "%s", path);
    std::int32_t selectedKey = 0;
    if (!ScanStart(tree.path, selectedKey)) {
        return;
    }
    if (selectedKey != 0) {
        BoundedFormat(tree.rootPath, sizeof tree.rootPath, "%s", tree.path);
    }
    DirectoryListing listing;
    if (const int code = ListDirectory(tree.path, listing); code != 0) {
        ReportError({kRootNotListed, code});
        return;
    }
    BoundedFormat(tree.rootPath, sizeof tree.rootPath, "%s", tree.path);
    folders.currentIndex = -1;
    for (std::size_t i = 0; i < listing.Count(); ++i) {
        const ListingEntry entry = listing.Entry(i);
        if (!entry.isDirectory || entry.name.size() < kDateKeyLength ||
            !IsDateKey(DateKeyOfName(entry.name))) {
            continue;
        }
        if (watch.cancelled && watch.cancelled()) {
            return;
        }
        char folderPath[kPathCapacity];
        FolderPath(folderPath, tree.path, entry.name);
        if (folders.AddFolder(folderPath, entry.name.data()) != Addition::kAdded) {
            continue;
        }
        ++folders.currentIndex;
        tree.totalFiles += folders.GetCurrent()->GetFileCount();
        if (watch.progress) {
            watch.progress(folders.folderCount, tree.totalFiles);
        }
    }
    if (folders.folderCount > 0) {
        folders.SortFolders();
    }
    if (selectedKey == 0) {
        selectedKey = LastDirectoryKey(listing);  // an out-of-range name counts here too
    }
    folders.currentIndex = folders.IndexOfDateKey(selectedKey);
    if (!listing.Complete()) {
        ReportError({kListingCutShort, listing.stopCode});
    }
    tree.result = 0;
}

std::unique_ptr<CMavFolder> ChosenFolderAhead(const char* path) {
    const ScopedThreadErrorReporter quiet({});
    char root[kPathCapacity];
    BoundedFormat(root, sizeof root, "%s", path);
    std::int32_t selectedKey = 0;
    DirectoryListing listing;
    if (!ScanStart(root, selectedKey) || ListDirectory(root, listing) != 0) {
        return nullptr;
    }
    if (selectedKey == 0) {
        selectedKey = LastDirectoryKey(listing);
    }
    // The scan keeps the last folder with the key in slot order, which keeps listing order
    // among equal keys: the last such folder listed that holds a frame.
    for (std::size_t i = listing.Count(); i-- > 0;) {
        const ListingEntry entry = listing.Entry(i);
        if (!entry.isDirectory || entry.name.size() < kDateKeyLength ||
            DateKeyOfName(entry.name) != selectedKey || !IsDateKey(selectedKey)) {
            continue;
        }
        char folderPath[kPathCapacity];
        FolderPath(folderPath, root, entry.name);
        auto folder = std::make_unique<CMavFolder>(entry.name.data(), nullptr);
        folder->ScanFiles(folderPath);
        folder->dateKey = selectedKey;
        if (folder->GetFileCount() > 0) {
            return folder;
        }
    }
    return nullptr;
}

}  // namespace orvik
