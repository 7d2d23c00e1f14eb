// Made-up directory listings for the scan: installed in place of the file system's listing
// for the life of the object. Folders not named here are listed from the file system, so a
// real tree can be given a failing folder or listing.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/directory_listing.h"

namespace orvik::test {

struct FakeEntry {
    std::string name;
    bool isDirectory = false;
    std::uint32_t size = 0;
};

struct FakeFolder {
    std::vector<FakeEntry> entries;  // delivered in this order
    int openError = 0;               // non-zero: the folder cannot be opened
    int stopCode = 0;                // non-zero: the error that stops the listing
};

class FakeListings {
  public:
    FakeListings();
    ~FakeListings();
    FakeListings(const FakeListings&) = delete;
    FakeListings& operator=(const FakeListings&) = delete;

    // The made-up folder at path (created empty on first use).
    FakeFolder& operator[](const std::string& path) { return folders_[path]; }
    // Listed for every path not named with operator[], in place of the file system.
    std::optional<FakeFolder> anyOtherFolder;
    // Paths listed so far, in order.
    std::vector<std::string> asked;

  private:
    int List(const char* path, DirectoryListing& listing);

    std::map<std::string, FakeFolder> folders_;
};

}  // namespace orvik::test
