#include "testing/support/fake_listings.h"

namespace orvik::test {

FakeListings::FakeListings() {
    SetListingProvider(
        [this](const char* path, DirectoryListing& listing) { return List(path, listing); });
}

FakeListings::~FakeListings() {
    SetListingProvider(nullptr);
}

int FakeListings::List(const char* path, DirectoryListing& listing) {
    asked.emplace_back(path);
    const auto named = folders_.find(path);
    const FakeFolder* folder = named != folders_.end() ? &named->second
                               : anyOtherFolder        ? &*anyOtherFolder
                                                       : nullptr;
    if (folder == nullptr) {
        return ListFileSystemDirectory(path, listing);
    }
    listing.Clear();
    if (folder->openError != 0) {
        return folder->openError;
    }
    for (const FakeEntry& entry : folder->entries) {
        listing.Add(entry.name, entry.isDirectory, entry.size);
    }
    listing.stopCode = folder->stopCode;
    return 0;
}

}  // namespace orvik::test
