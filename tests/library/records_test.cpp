#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "library/folder_list.h"
#include "library/name_keys.h"
#include "platform/directory_listing.h"
#include "testing/support/fake_listings.h"
#include "tests/library/library_fixtures.h"

namespace orvik {
namespace {

using test::FakeEntry;
using test::FakeListings;
using test::FrameName;
using test::ReportRecorder;
using test::TimeOfDay;

TEST(NameKeys, ReadTheDigitsOfTheirOwnCharactersOnly) {
    struct Case {
        const char* name;
        std::int32_t dateKey;
        std::int32_t timeKey;
    };
    const Case cases[] = {
        {"10010100", 10010100, TimeOfDay(1, 0, 0)},
        {"09123123_front", 9123123, TimeOfDay(31, 23, 0)},
        {"1001010", 1001010, TimeOfDay(1, 0, 0)},  // seven characters: all of it
        {"10a02030x", 1002030, TimeOfDay(20, 30, 0)},
        {"CAM1123456789", 11234, TimeOfDay(12, 34, 56, 78)},  // the ninth digit is not read
        {"CAMa1b2c3d4e5f6", 12, 1 * 360000 + 2 * 6000 + 34},
        {"CAM112", 112, 12 * 360000},  // too short for minutes and seconds: they read 0
        {"CAM", 0, 0},
        {"", 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DateKeyOfName(c.name), c.dateKey) << c.name;
        EXPECT_EQ(TimeKeyOfName(c.name), c.timeKey) << c.name;
    }
    EXPECT_EQ(TimeKeyOfName(FrameName(TimeOfDay(23, 59, 59, 99))), 8639999);
}

TEST(NameKeys, NameFromStopsAtTheEnd) {
    EXPECT_STREQ(NameFrom("100101", 4), "01");
    EXPECT_STREQ(NameFrom("100101", 6), "");
    EXPECT_STREQ(NameFrom("10", 4), "");
}

TEST(CMavFile, KeepsThirtyOneCharactersOfItsName) {
    const std::string longName(40, 'N');
    const CMavFile file(nullptr, longName.c_str());
    EXPECT_EQ(std::string(file.name), longName.substr(0, 31));
    EXPECT_EQ(file.prev, nullptr);
    EXPECT_EQ(file.next, nullptr);
}

TEST(CMavFolder, AccessorsGiveNoneOutsideTheFiles) {
    CMavFolder folder("10010100", nullptr);
    EXPECT_EQ(folder.GetFirstFile(), nullptr);
    EXPECT_EQ(folder.GetLastFile(), nullptr);
    EXPECT_EQ(folder.GetFile(0), nullptr);
    char a[kNameCapacity] = "CAM100000100";
    char b[kNameCapacity] = "CAM100000200";
    ASSERT_EQ(folder.AddFile(a), Addition::kAdded);
    ASSERT_EQ(folder.AddFile(b), Addition::kAdded);
    EXPECT_EQ(folder.GetFileCount(), 2);
    EXPECT_EQ(folder.GetFile(-1), nullptr);
    EXPECT_EQ(folder.GetFile(2), nullptr);
    EXPECT_EQ(folder.GetFirstFile(), folder.GetFile(0));
    EXPECT_EQ(folder.GetLastFile(), folder.GetFile(1));
    EXPECT_EQ(folder.GetFile(0)->next, folder.GetFile(1));
    EXPECT_EQ(folder.GetFile(1)->prev, folder.GetFile(0));
}

TEST(CMavFolder, AddFileRaisesTheNameAndRefusesDigitValueZero) {
    ReportRecorder recorder;
    CMavFolder folder(std::string(40, 'f').c_str(), nullptr);
    EXPECT_EQ(std::string(folder.name), std::string(31, 'f'));

    char lower[kNameCapacity] = "cam1123456ab.jpg";
    ASSERT_EQ(folder.AddFile(lower), Addition::kAdded);
    EXPECT_STREQ(lower, "CAM1123456AB.JPG") << "the caller's buffer is raised too";
    EXPECT_STREQ(folder.GetFile(0)->name, "CAM1123456AB.JPG");
    EXPECT_EQ(folder.GetFile(0)->timeKey, TimeOfDay(12, 34, 0) + 56);

    for (const char* zero : {"CAMERA.FRAME", "CAM000000000.JPG", ""}) {
        char name[kNameCapacity];
        std::snprintf(name, sizeof name, "%s", zero);
        EXPECT_EQ(folder.AddFile(name), Addition::kRefused) << zero;
    }
    EXPECT_EQ(folder.GetFileCount(), 1);
    EXPECT_TRUE(recorder.reports.empty());
}

// Identity in characters 0-3, time key in 4-11.
std::vector<std::string> SortedNames(std::vector<std::string> names) {
    CMavFolder folder("10010100", nullptr);
    for (std::string& n : names) {
        char buffer[kNameCapacity];
        std::snprintf(buffer, sizeof buffer, "%s", n.c_str());
        EXPECT_EQ(folder.AddFile(buffer), Addition::kAdded) << n;
    }
    folder.SortFiles();
    std::vector<std::string> out;
    const CMavFile* previous = nullptr;
    for (const CMavFile* f = folder.GetFirstFile(); f != nullptr; f = f->next) {
        EXPECT_EQ(f->prev, previous) << f->name << ": back link not repaired";
        previous = f;
        out.emplace_back(f->name);
    }
    EXPECT_EQ(previous, folder.GetLastFile());
    EXPECT_EQ(static_cast<int>(out.size()), folder.GetFileCount()) << "links skip records";
    return out;
}

TEST(CMavFolder, SortFilesOrdersByTimeKeepingListingOrderForEqualKeys) {
    EXPECT_EQ(SortedNames(
                  {"A1__00000300", "B1__00000100", "C1__00000200", "D1__00000100", "E1__00000100"}),
              (std::vector<std::string>{"B1__00000100", "D1__00000100", "E1__00000100",
                                        "C1__00000200", "A1__00000300"}));
    EXPECT_EQ(SortedNames({"A1__00000100"}), (std::vector<std::string>{"A1__00000100"}));
    // Enough records that an unstable sort would mix equal keys.
    std::vector<std::string> many, want;
    for (int i = 0; i < 300; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "%04d%08d", i, 1 + (i * 7) % 3);
        many.emplace_back(name);
    }
    for (int key = 1; key <= 3; ++key) {
        for (const std::string& n : many) {
            if (n.back() - '0' == key) {
                want.push_back(n);
            }
        }
    }
    EXPECT_EQ(SortedNames(many), want);
    // Already in order: nothing moves.
    EXPECT_EQ(SortedNames({"A1__00000100", "B1__00000200"}),
              (std::vector<std::string>{"A1__00000100", "B1__00000200"}));
}

TEST(CMavFolder, FindFileByTimeGivesTheLastFrameBeforeTheTime) {
    CMavFolder folder("10010100", nullptr);
    EXPECT_EQ(folder.FindFileByTime(5), 0) << "empty folder";
    for (const std::int32_t t : {100, 200, 200, 300}) {
        char name[kNameCapacity];
        std::snprintf(name, sizeof name, "%s", FrameName(t).c_str());
        ASSERT_EQ(folder.AddFile(name), Addition::kAdded);
    }
    struct Case {
        std::int32_t target;
        std::int32_t want;
    };
    const Case cases[] = {
        {50, 0},  {100, 0}, {101, 0}, {200, 0},        {201, 2},
        {300, 2}, {301, 3}, {-1, 0},  {2147483647, 3},
    };
    for (const Case& c : cases) {
        folder.foundIndex = -5;
        EXPECT_EQ(folder.FindFileByTime(c.target), c.want) << c.target;
        EXPECT_EQ(folder.foundIndex, c.want) << c.target;
    }
}

TEST(CMavFolder, ScanFilesReportsWhatGoesWrongWithItsCode) {
    ReportRecorder recorder;
    FakeListings listings;
    listings["/rec/denied"].openError = EACCES;
    listings["/rec/cut"].entries = {{FrameName(300), false, 600}, {FrameName(100), false, 600}};
    listings["/rec/cut"].stopCode = EIO;
    listings["/rec/fine"].entries = {{FrameName(100), false, 600}};

    CMavFolder denied("10010100", nullptr);
    EXPECT_EQ(denied.ScanFiles("/rec/denied"), FileScan::kRefused);
    EXPECT_EQ(denied.GetFileCount(), 0);

    CMavFolder cut("10010100", nullptr);
    EXPECT_EQ(cut.ScanFiles("/rec/cut"), FileScan::kCutShort);
    ASSERT_EQ(cut.GetFileCount(), 2) << "what was listed before the error stays";
    EXPECT_EQ(cut.GetFirstFile()->timeKey, 100);
    EXPECT_STREQ(cut.path, "/rec/cut");

    EXPECT_EQ(cut.ScanFiles("/rec/fine"), FileScan::kRefused)
        << "a folder that holds files is not filled again";
    EXPECT_EQ(cut.GetFileCount(), 2);

    CMavFolder fine("10010100", nullptr);
    EXPECT_EQ(fine.ScanFiles("/rec/fine"), FileScan::kComplete);

    ASSERT_EQ(recorder.reports.size(), 3u);
    EXPECT_EQ(recorder.reports[0], (test::Report{"File List is Empty", EACCES}));
    EXPECT_EQ(recorder.reports[1], (test::Report{"! ERROR_NO_MORE_FILES", EIO}));
    EXPECT_EQ(recorder.reports[2].what, "File List Not Empty");
    EXPECT_EQ(listings.asked, (std::vector<std::string>{"/rec/denied", "/rec/cut", "/rec/fine"}));
}

TEST(CMavFolder, KeepsTheFirst108000FilesAndReportsTheLimitOnce) {
    ReportRecorder recorder;
    FakeListings listings;
    test::FakeFolder& big = listings["/rec/big"];
    // Listed latest first, so that the sort has work and the refused files are the earliest.
    constexpr std::int32_t kListed = kMaxFilesPerFolder + 2;
    for (std::int32_t i = kListed; i >= 1; --i) {
        big.entries.push_back(FakeEntry{FrameName(i), false, 546});
    }
    CMavFolder folder("10010100", nullptr);
    folder.ScanFiles("/rec/big");
    ASSERT_EQ(folder.GetFileCount(), kMaxFilesPerFolder);
    EXPECT_EQ(recorder.Whats(), std::vector<std::string>{"File number over 65536"});
    EXPECT_EQ(folder.GetFirstFile()->timeKey, 3);
    EXPECT_EQ(folder.GetLastFile()->timeKey, kListed);
    std::int32_t count = 0;
    for (const CMavFile* f = folder.GetFirstFile(); f->next != nullptr; f = f->next, ++count) {
        ASSERT_LT(f->timeKey, f->next->timeKey);
    }
    EXPECT_EQ(count + 1, kMaxFilesPerFolder);
}

class FolderListTest : public ::testing::Test {
  protected:
    // Every folder the list is asked to add holds one frame file, unless named otherwise.
    void SetUp() override {
        listings.anyOtherFolder = test::FakeFolder{{{FrameName(100), false, 600}}};
    }
    void Add(const char* name, Addition want = Addition::kAdded) {
        const std::string path = std::string("/rec/") + name;
        EXPECT_EQ(list.AddFolder(path.c_str(), name), want) << name;
    }
    std::vector<std::int32_t> Keys() const {
        std::vector<std::int32_t> keys;
        for (std::int32_t i = 0; i < list.folderCount; ++i) {
            keys.push_back(list.folders[static_cast<std::size_t>(i)]->dateKey);
        }
        return keys;
    }

    FakeListings listings;
    CFolderList list;
};

TEST_F(FolderListTest, EmptyListGivesNoneWhateverTheCurrentIndex) {
    for (const std::int32_t index : {-7, -1, 0, 1, 5}) {
        list.currentIndex = index;
        EXPECT_EQ(list.GetCurrent(), nullptr) << index;
        EXPECT_EQ(list.MoveNext(), nullptr) << index;
        EXPECT_EQ(list.MovePrevious(), nullptr) << index;
        EXPECT_EQ(list.currentIndex, index);
    }
}

TEST_F(FolderListTest, MovesStopAtTheEndsAndLeaveTheCurrentFolder) {
    Add("10010100");
    Add("10010200");
    Add("10010300");
    EXPECT_EQ(list.GetCurrent(), nullptr) << "-1 names no folder";
    EXPECT_EQ(list.MoveNext(), list.folders[0].get());
    EXPECT_EQ(list.MovePrevious(), nullptr);
    EXPECT_EQ(list.currentIndex, 0);
    EXPECT_EQ(list.MoveNext(), list.folders[1].get());
    EXPECT_EQ(list.MoveNext(), list.folders[2].get());
    EXPECT_EQ(list.MoveNext(), nullptr);
    EXPECT_EQ(list.currentIndex, 2);
    EXPECT_EQ(list.GetCurrent(), list.folders[2].get());
    EXPECT_EQ(list.MovePrevious(), list.folders[1].get());
    list.Clear();
    EXPECT_EQ(list.folderCount, 0);
    EXPECT_EQ(list.currentIndex, -1);
    EXPECT_TRUE(list.folders.empty());
}

TEST_F(FolderListTest, AddFolderKeepsOnlyFoldersWithFramesAndLinksThem) {
    listings["/rec/10010200"].entries = {{FrameName(100), false, 545}};  // too small
    Add("10010100");
    Add("10010200", Addition::kDropped);
    Add("10010300x");
    ASSERT_EQ(list.folderCount, 2);
    CMavFolder* first = list.folders[0].get();
    CMavFolder* second = list.folders[1].get();
    EXPECT_EQ(first->next, second);
    EXPECT_EQ(second->prev, first);
    EXPECT_EQ(second->next, nullptr);
    EXPECT_STREQ(second->path, "/rec/10010300x");
    EXPECT_STREQ(second->name, "10010300x");
    EXPECT_EQ(second->dateKey, 10010300);
}

TEST_F(FolderListTest, FolderPathIsCutToThePathCapacity) {
    const std::string longPath = "/" + std::string(kPathCapacity + 10, 'p');
    ASSERT_EQ(list.AddFolder(longPath.c_str(), "10010100"), Addition::kAdded);
    EXPECT_EQ(std::string(list.folders[0]->path), longPath.substr(0, kPathCapacity - 1));
}

TEST_F(FolderListTest, SortFoldersKeepsListingOrderForEqualKeys) {
    Add("10010300");
    Add("10010100b");
    Add("10010200");
    Add("10010100a");
    list.SortFolders();
    EXPECT_EQ(Keys(), (std::vector<std::int32_t>{10010100, 10010100, 10010200, 10010300}));
    EXPECT_STREQ(list.folders[0]->name, "10010100b");
    EXPECT_STREQ(list.folders[1]->name, "10010100a");
    for (std::size_t i = 0; i < list.folders.size(); ++i) {
        EXPECT_EQ(list.folders[i]->prev, i == 0 ? nullptr : list.folders[i - 1].get());
        EXPECT_EQ(list.folders[i]->next,
                  i + 1 == list.folders.size() ? nullptr : list.folders[i + 1].get());
    }
    EXPECT_EQ(list.IndexOfDateKey(10010100), 1) << "the later of two equal keys";
    EXPECT_EQ(list.IndexOfDateKey(10010300), 3);
    EXPECT_EQ(list.IndexOfDateKey(10010400), 0);
    list.Clear();
    EXPECT_EQ(list.IndexOfDateKey(10010100), 0);
}

TEST_F(FolderListTest, SortFoldersStaysStableOverManyEqualKeys) {
    std::vector<std::string> names;
    for (int i = 0; i < 90; ++i) {
        char name[kNameCapacity];
        std::snprintf(name, sizeof name, "100101%02d_%03d", 1 + (i * 7) % 3, i);
        names.emplace_back(name);
        Add(name);
    }
    std::vector<std::string> want;
    for (const char* hour : {"01", "02", "03"}) {
        for (const std::string& n : names) {
            if (n.compare(6, 2, hour) == 0) {
                want.push_back(n);
            }
        }
    }
    list.SortFolders();
    std::vector<std::string> got;
    for (const auto& folder : list.folders) {
        got.emplace_back(folder->name);
    }
    EXPECT_EQ(got, want);
}

TEST_F(FolderListTest, SeekDateTimeChoosesTheNearestFolder) {
    EXPECT_EQ(list.SeekDateTime(10010100, 0), 0);
    EXPECT_EQ(list.currentIndex, 0) << "empty list";

    listings["/rec/10010200"].entries = {{FrameName(1000), false, 600},
                                         {FrameName(2000), false, 600},
                                         {FrameName(3000), false, 600}};
    Add("10010100");
    Add("10010200");
    Add("10010400");
    struct Case {
        const char* name;
        std::int32_t dateKey;
        std::int32_t timeKey;
        std::int32_t wantIndex;
        std::int32_t wantFolder;
    };
    const Case cases[] = {
        {"exact key, time between frames", 10010200, 2500, 1, 1},
        {"exact key, time equal to a frame", 10010200, 2000, 0, 1},
        {"exact key, time before the first frame", 10010200, 500, 0, 1},
        {"exact key, time after the last frame", 10010200, 999999, 2, 1},
        {"between, nearer the earlier", 10010299, 2500, 0, 1},
        {"between, a tie goes to the later", 10010300, 2500, 0, 2},
        {"between, nearer the later", 10010301, 2500, 0, 2},
        {"before every folder", 10000000, 2500, 0, 0},
        {"after every folder", 10010500, 2500, 0, 2},
        {"far below", -2147483647 - 1, 0, 0, 0},
        {"far above", 2147483647, 0, 0, 2},
    };
    for (const Case& c : cases) {
        list.currentIndex = -1;
        EXPECT_EQ(list.SeekDateTime(c.dateKey, c.timeKey), c.wantIndex) << c.name;
        EXPECT_EQ(list.currentIndex, c.wantFolder) << c.name;
    }
}

TEST_F(FolderListTest, RefusesThe65537thFolderAndReportsItOnce) {
    ReportRecorder recorder;
    for (std::int32_t i = 0; i < kMaxFolders; ++i) {
        ASSERT_EQ(list.AddFolder("/rec/f", "10010100"), Addition::kAdded);
    }
    Add("10010200", Addition::kRefused);
    Add("10010300", Addition::kRefused);
    EXPECT_EQ(list.folderCount, kMaxFolders);
    EXPECT_EQ(list.folders.back()->next, nullptr);
    EXPECT_EQ(recorder.Whats(), std::vector<std::string>{"Folder Number over 65536 !!"});
}

}  // namespace
}  // namespace orvik
