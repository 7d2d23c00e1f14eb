// Directory listing: every entry of one folder, "." and ".." included, with its name, its
// directory flag and the low 32 bits of its size. The file system's listing delivers the
// entries in listing order (listing_order.h); a listing can also come from a provider that
// the process installs in its place, so that tests and fuzzers can feed made-up entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace orvik {

struct ListingEntry {
    std::string_view name;  // name.data() is terminated; valid while the listing is unchanged
    bool isDirectory = false;
    std::uint32_t size = 0;  // low 32 bits of the size
};

class DirectoryListing {
  public:
    // Forgets every entry (keeping the storage for the next folder); the listing is complete
    // again.
    void Clear();
    void Add(std::string_view name, bool isDirectory, std::uint32_t size);
    // Puts the entries in listing order.
    void SortByName();

    std::size_t Count() const { return slots_.size(); }
    ListingEntry Entry(std::size_t index) const;

    // Whether the listing delivered every entry, or an error stopped it after the entries it
    // holds.
    bool Complete() const { return stopCode == 0; }
    // The error code that stopped the listing; 0 when it is complete.
    int stopCode = 0;

  private:
    struct Slot {
        // The name's first 16 bytes folded to upper case, big-endian, zero-padded: ordering
        // these orders the names wherever they differ in their first 16 bytes.
        std::uint64_t foldedPrefix[2];
        std::size_t nameOffset;
        std::uint32_t nameLength;
        std::uint32_t size;
        bool isDirectory;
    };
    std::string_view NameOf(const Slot& slot) const;

    std::vector<Slot> slots_;
    std::vector<char> names_;  // every name followed by its terminator
};

// Lists the folder at path into listing. Returns 0 when the folder was opened (see
// listing.Complete() for how the listing ended); otherwise the error code of the failed open,
// with an empty listing.
using ListingProvider = std::function<int(const char* path, DirectoryListing& listing)>;

// Lists through the installed provider, or the file system when none is installed.
int ListDirectory(const char* path, DirectoryListing& listing);

// Installs a provider in place of the file system; an empty one restores the file system.
void SetListingProvider(ListingProvider provider);

// The names of a folder's entries alone, for a reader that needs nothing but the names: each
// with the kind readdir gives (a link is no directory) and size 0, in no particular order.
// Nothing is looked at beyond the folder itself, so a folder of thousands of files is read in
// a small part of the time ListDirectory takes. Through the installed provider when there
// is one (its listing as it gives it). Returns what ListDirectory returns.
int ListDirectoryNames(const char* path, DirectoryListing& listing);

// The file system's listing: opendir/readdir, fstatat following links for the directory
// flag and the size, entries sorted into listing order. A provider may wrap it.
int ListFileSystemDirectory(const char* path, DirectoryListing& listing);

}  // namespace orvik
