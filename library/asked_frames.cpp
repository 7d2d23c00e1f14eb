#include "library/asked_frames.h"

#include <cstring>

#include "library/error_report.h"
#include "library/name_keys.h"
#include "library/report_texts.h"
#include "platform/directory_listing.h"
#include "platform/path_capacity.h"
#include "text/bounded_format.h"

namespace orvik {
namespace {

bool IsDateFolder(const ListingEntry& entry) {
    return entry.isDirectory && IsDateFolderName(entry.name);
}

}  // namespace

int AskedFrames::Read(const char* path, const CaptureRange& range) {
    folders_.Clear();
    runs_.clear();
    frameCount_ = 0;

    // The root and the date folder asked for, told apart as the scan tells them.
    char root[kPathCapacity];
    BoundedFormat(root, sizeof root, "%s", path);
    char* separator = std::strrchr(root, kPathSeparator);
    if (separator == nullptr) {
        return 1;
    }
    std::string onlyFolderPath;
    if (IsDateFolderName(separator + 1)) {
        onlyFolderPath = root;
        separator[separator == root ? 1 : 0] = '\0';  // the parent of "/name" is "/"
    }

    DirectoryListing listing;
    if (const int code = ListDirectory(root, listing); code != 0) {
        ReportError({kRootNotListed, code});
        return 1;
    }
    std::size_t dateFolders = 0;
    for (std::size_t i = 0; i < listing.Count(); ++i) {
        dateFolders += IsDateFolder(listing.Entry(i)) ? 1 : 0;
    }
    // Below the limit every folder read is kept or dropped by what it holds alone.
    const bool readAll = dateFolders > static_cast<std::size_t>(kMaxFolders);
    const char separatorText[] = {kPathSeparator, '\0'};
    const char* joiner = root[std::strlen(root) - 1] == kPathSeparator ? "" : separatorText;

    for (std::size_t i = 0; i < listing.Count(); ++i) {
        const ListingEntry entry = listing.Entry(i);
        if (!IsDateFolder(entry)) {
            continue;
        }
        char folderPath[kPathCapacity];
        BoundedFormat(folderPath, sizeof folderPath, "%s%s%s", root, joiner, entry.name.data());
        const bool asked = onlyFolderPath.empty()
                               ? CanHoldRange(folderPath, DateKeyOfName(entry.name), range)
                               : onlyFolderPath == folderPath;
        if (asked || readAll) {
            folders_.AddFolder(folderPath, entry.name.data());
        }
    }
    if (folders_.folderCount > 0) {
        folders_.SortFolders();
    }
    if (!listing.Complete()) {
        ReportError({kListingCutShort, listing.stopCode});
    }
    MakeRuns(onlyFolderPath, range);
    return 0;
}

bool AskedFrames::CanHoldRange(const char* folderPath, std::int32_t dateKey,
                               const CaptureRange& range) {
    const CaptureMoment midnight = MomentOf(dateKey, 0);
    if (!DateCanHoldRange(dateKey, range)) {
        return false;
    }
    if (range.Holds(midnight) && range.Holds(midnight + kLatestTimeKey)) {
        return true;  // whatever its names say
    }
    // A folder whose names cannot be listed is read as the scan reads it, so that what
    // fails is reported as the scan reports it.
    DirectoryListing names;
    if (ListDirectoryNames(folderPath, names) != 0 || !names.Complete()) {
        return true;
    }
    for (std::size_t i = 0; i < names.Count(); ++i) {
        if (range.Holds(midnight + TimeKeyOfName(names.Entry(i).name))) {
            return true;
        }
    }
    return false;
}

void AskedFrames::MakeRuns(const std::string& onlyFolderPath, const CaptureRange& range) {
    for (std::int32_t f = 0; f < folders_.folderCount; ++f) {
        const CMavFolder& folder = *folders_.folders[static_cast<std::size_t>(f)];
        if (!onlyFolderPath.empty() && onlyFolderPath != folder.path) {
            continue;
        }
        const FolderRun run = RunInRange(folder, range);
        if (run.count > 0) {
            runs_.push_back(run);
            frameCount_ += static_cast<std::size_t>(run.count);
        }
    }
}

}  // namespace orvik
