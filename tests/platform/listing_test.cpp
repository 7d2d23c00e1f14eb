#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "platform/directory_listing.h"
#include "platform/listing_order.h"
#include "testing/support/temp_tree.h"

namespace orvik {
namespace {

TEST(ListingOrder, FoldsLettersToUpperCaseThenComparesBytes) {
    struct Case {
        const char* first;
        const char* second;
    };
    // Each pair in delivery order.
    const Case cases[] = {
        {"a", "B"},                 // letters without regard to case
        {"A", "a"},                 // same name under folding: bytes decide
        {"ABc", "AbC"},             // byte by byte after folding ties
        {"aa", "a_"},               // '_' lies above the upper-case letters
        {"ab", "abc"},              // a prefix first
        {"10010100", "10010100a"},  // a date folder and its suffixed twin
        {"CAM1", "cam10"},          //
        {"Z", "\xe9"},              // bytes above 127 unsigned, after ASCII
    };
    for (const Case& c : cases) {
        EXPECT_LT(CompareListingNames(c.first, c.second), 0) << c.first << " / " << c.second;
        EXPECT_GT(CompareListingNames(c.second, c.first), 0) << c.first << " / " << c.second;
    }
    EXPECT_EQ(CompareListingNames("Same", "Same"), 0);
}

TEST(ListingOrder, SameNameIgnoringCaseOnlyFoldsAsciiLetters) {
    EXPECT_TRUE(SameNameIgnoringCase("cam1.jpg", "CAM1.JPG"));
    EXPECT_FALSE(SameNameIgnoringCase("cam1.jpg", "CAM1.JPEG"));
    EXPECT_FALSE(SameNameIgnoringCase("a_", "a\x7f"));  // '_' + 32 is not a letter
    EXPECT_FALSE(SameNameIgnoringCase("@", "`"));       // neither are these
}

struct Listed {
    std::string name;
    bool isDirectory;
    std::uint32_t size;
    bool operator==(const Listed&) const = default;
};

std::vector<Listed> Entries(const DirectoryListing& listing) {
    std::vector<Listed> out;
    for (std::size_t i = 0; i < listing.Count(); ++i) {
        const ListingEntry e = listing.Entry(i);
        EXPECT_EQ(e.name.data()[e.name.size()], '\0') << "name not terminated";
        out.push_back(Listed{std::string(e.name), e.isDirectory, e.size});
    }
    return out;
}

TEST(FileSystemListing, DeliversEveryEntrySortedWithFlagsAndSizes) {
    test::TempTree tree;
    tree.WriteFile("b.jpg", 600);
    tree.WriteFile("A.jpg", 546);
    tree.WriteFile("a.jpg", 0);
    tree.MakeFolder("C10010100");
    tree.MakeFolder("real");
    ASSERT_EQ(symlink("real", tree.Path("linked").c_str()), 0);
    ASSERT_EQ(symlink("nowhere", tree.Path("dangling").c_str()), 0);

    DirectoryListing listing;
    ASSERT_EQ(ListDirectory(tree.Root().c_str(), listing), 0);
    EXPECT_TRUE(listing.Complete());
    std::vector<Listed> got = Entries(listing);
    // Folder sizes are whatever the file system says; only the files' sizes are checked.
    for (Listed& e : got) {
        if (e.isDirectory) {
            e.size = 0;
        }
    }
    const std::vector<Listed> want = {
        {".", true, 0},         {"..", true, 0},       {"A.jpg", false, 546},
        {"a.jpg", false, 0},    {"b.jpg", false, 600}, {"C10010100", true, 0},
        {"dangling", false, 0}, {"linked", true, 0},   {"real", true, 0},
    };
    EXPECT_EQ(got, want);
}

TEST(FileSystemListing, SizeIsTheLowThirtyTwoBits) {
    test::TempTree tree;
    const std::string path = tree.Path("huge");
    tree.WriteFile("huge", 0);
    ASSERT_EQ(truncate(path.c_str(), (off_t{1} << 32) + 600), 0);  // sparse: costs no space
    DirectoryListing listing;
    ASSERT_EQ(ListDirectory(tree.Root().c_str(), listing), 0);
    ASSERT_EQ(listing.Count(), 3u);
    EXPECT_EQ(listing.Entry(2).name, "huge");
    EXPECT_EQ(listing.Entry(2).size, 600u);
}

TEST(FileSystemListing, MissingFolderGivesItsError) {
    test::TempTree tree;
    DirectoryListing listing;
    listing.Add("stale", false, 1);
    EXPECT_EQ(ListDirectory(tree.Path("absent").c_str(), listing), ENOENT);
    EXPECT_EQ(listing.Count(), 0u);
    tree.WriteFile("plain", 10);
    EXPECT_EQ(ListDirectory(tree.Path("plain").c_str(), listing), ENOTDIR);
}

// Names alone: readdir's own kinds (a link to a folder is no folder), no sizes, no order;
// through a provider when one is installed.
TEST(FileSystemListing, NamesAloneLookAtNothingBeyondTheFolder) {
    test::TempTree tree;
    tree.WriteFile("b.jpg", 600);
    tree.MakeFolder("real");
    ASSERT_EQ(symlink("real", tree.Path("linked").c_str()), 0);
    DirectoryListing listing;
    ASSERT_EQ(ListDirectoryNames(tree.Root().c_str(), listing), 0);
    EXPECT_TRUE(listing.Complete());
    std::vector<Listed> got = Entries(listing);
    std::sort(got.begin(), got.end(),
              [](const Listed& a, const Listed& b) { return a.name < b.name; });
    const std::vector<Listed> want = {
        {".", true, 0},       {"..", true, 0},   {"b.jpg", false, 0},
        {"linked", false, 0}, {"real", true, 0},
    };
    EXPECT_EQ(got, want);
    EXPECT_EQ(ListDirectoryNames(tree.Path("absent").c_str(), listing), ENOENT);
    EXPECT_EQ(listing.Count(), 0u);

    SetListingProvider([](const char*, DirectoryListing& made) {
        made.Clear();
        made.Add("made-up", false, 700);
        return 0;
    });
    ASSERT_EQ(ListDirectoryNames(tree.Root().c_str(), listing), 0);
    EXPECT_EQ(Entries(listing), (std::vector<Listed>{{"made-up", false, 700}}));
    SetListingProvider(nullptr);
}

TEST(ListingProvider, ReplacesTheFileSystemUntilRemoved) {
    test::TempTree tree;
    std::vector<std::string> asked;
    SetListingProvider([&asked](const char* path, DirectoryListing& listing) {
        asked.push_back(path);
        listing.Clear();
        if (std::string(path) == "denied") {
            return EACCES;
        }
        listing.Add("z", false, 900);  // delivered as given, not sorted
        listing.Add("a", true, 0);
        listing.stopCode = EIO;
        return 0;
    });
    DirectoryListing listing;
    EXPECT_EQ(ListDirectory(tree.Root().c_str(), listing), 0);
    EXPECT_EQ(Entries(listing), (std::vector<Listed>{{"z", false, 900}, {"a", true, 0}}));
    EXPECT_EQ(listing.stopCode, EIO);
    EXPECT_EQ(ListDirectory("denied", listing), EACCES);
    EXPECT_EQ(asked, (std::vector<std::string>{tree.Root(), "denied"}));

    SetListingProvider(nullptr);
    ASSERT_EQ(ListDirectory(tree.Root().c_str(), listing), 0);
    EXPECT_EQ(listing.Count(), 2u);  // "." and ".." of the empty folder
    EXPECT_TRUE(listing.Complete());
}

TEST(DirectoryListing, SortByNameGivesListingOrderForAnyNames) {
    // Names built to meet at every place the sort can decide: shared prefixes of up to 20
    // bytes, case differences before and after byte 16, bytes between the letter ranges and
    // above 127, names that are prefixes of others.
    const std::string alphabet = "aAbB_0[`~\x7f\xe9";
    std::vector<std::string> names;
    std::uint32_t state = 12345;
    auto next = [&state](std::uint32_t bound) {
        state = state * 1103515245u + 12345u;
        return (state >> 8) % bound;
    };
    for (int i = 0; i < 3000; ++i) {
        std::string name = std::string(next(21), 'a');
        for (std::uint32_t extra = next(6); extra > 0; --extra) {
            name += alphabet[next(static_cast<std::uint32_t>(alphabet.size()))];
        }
        if (!name.empty() && next(3) == 0) {
            name[next(static_cast<std::uint32_t>(name.size()))] = 'A';
        }
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) {
            names.push_back(name);
        }
    }
    DirectoryListing listing;
    for (const std::string& name : names) {
        listing.Add(name, false, 0);
    }
    listing.SortByName();
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return CompareListingNames(a, b) < 0;
    });
    ASSERT_EQ(listing.Count(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        ASSERT_EQ(listing.Entry(i).name, names[i]) << "at " << i;
    }
}

TEST(DirectoryListing, ClearKeepsNothingAndResetsTheEndCode) {
    DirectoryListing listing;
    listing.Add("one", false, 1);
    listing.stopCode = EIO;
    listing.Clear();
    EXPECT_EQ(listing.Count(), 0u);
    EXPECT_TRUE(listing.Complete());
    listing.Add("two", true, 2);
    EXPECT_EQ(Entries(listing), (std::vector<Listed>{{"two", true, 2}}));
}

}  // namespace
}  // namespace orvik
