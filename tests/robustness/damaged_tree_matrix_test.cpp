// The damaged-tree matrix: a recording whose first frame has been shown, then one named
// change to the tree (before the scan, or between the scan and the load). Each case has
// one defined result: what the scan keeps and returns, the system's messages where it
// gives them, and for the frame then loaded, whether it opens and which picture shows.
// The previous picture stays whenever nothing new could be decoded.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "decoder/frame_format.h"
#include "library/file_manager.h"
#include "library/tree_scan.h"
#include "testing/support/fake_listings.h"
#include "tests/library/library_fixtures.h"
#include "tests/robustness/damaged_frames.h"
#include "tests/robustness/recording.h"

namespace orvik {
namespace {

using test::Bytes;

// The recording under test: the shown first frame, a second frame to place, and the
// listing seam for the cases that need a listing the file system cannot give.
struct Tree {
    test::TempTree files;
    Bytes second = test::GoodFrame(2);
    std::optional<test::FakeListings> listings;

    std::string Path(const std::string& relative) const { return files.Path(relative); }
    void Remove(const std::string& relative) const { std::filesystem::remove(Path(relative)); }
    test::FakeFolder& Listing(const std::string& relative) {
        if (!listings) {
            listings.emplace();
        }
        return (*listings)[Path(relative)];
    }
};

constexpr char kFirst[] = "rec/26030512/CAM112000000.JPG";
constexpr char kSecond[] = "rec/26030512/CAM112000050.JPG";
constexpr char kOtherDay[] = "rec/26030513/CAM113000000.JPG";

enum class Shown { FirstPicture, SecondPicture };

struct TreeCase {
    const char* name;
    void (*build)(Tree&);
    const char* picked;        // the folder the user picks, relative to the tree
    void (*afterScan)(Tree&);  // a change between the scan and the load, or none
    int wantScan;
    std::vector<std::string> wantFolders;  // names of the kept date folders, in order
    std::vector<std::string> wantReports;
    std::int32_t loadDateKey;  // the folder of the frame loaded then; 0: nothing is loaded
    std::int32_t loadIndex;
    int wantLoad;  // 0: the frame opens; 1: it cannot be opened
    Shown wantShown;
};

void Nothing(Tree&) {}
void PlaceSecond(Tree& t) {
    t.files.WriteFile(kSecond, t.second);
}
void PlaceSecondAsPlaceholder(Tree& t) {
    t.files.WriteFile(kSecond, Bytes(kFrameHeaderSize + 1, 0));
}
void PlaceSecondOnOtherDay(Tree& t) {
    t.files.WriteFile(kOtherDay, t.second);
}
void RemoveSecond(Tree& t) {
    t.Remove(kSecond);
}
void GrowSecond(Tree& t) {
    t.files.WriteFile(kSecond, t.second);
}
void CutSecondToItsHeader(Tree& t) {
    t.files.WriteFile(kSecond, test::CutAt(t.second, kFrameHeaderSize));
}
void ReplaceSecondByFolder(Tree& t) {
    t.Remove(kSecond);
    t.files.MakeFolder(kSecond);
}
void ReplaceSecondByPipe(Tree& t) {
    t.Remove(kSecond);
    ASSERT_EQ(mkfifo(t.Path(kSecond).c_str(), 0644), 0);
}
void ReplaceSecondByDanglingLink(Tree& t) {
    t.Remove(kSecond);
    ASSERT_EQ(symlink("missing.jpg", t.Path(kSecond).c_str()), 0);
}
void PlaceSecondInLowerCase(Tree& t) {
    t.files.WriteFile("rec/26030512/cam112000050.jpg", t.second);
}
void PlaceSecondUnderNonAsciiNames(Tree& t) {
    // UTF-8 "été" in the folder's name, a Latin-1 byte in the frame's, both past the digits.
    t.files.WriteFile("rec/26030513_\xC3\xA9t\xC3\xA9/cam113000000_\xE9.jpg", t.second);
}
void LinkOtherDayFromElsewhere(Tree& t) {
    t.files.WriteFile("elsewhere/day/CAM113000000.JPG", t.second);
    ASSERT_EQ(symlink("../elsewhere/day", t.Path("rec/26030513").c_str()), 0);
}
void MakeOtherDayAFile(Tree& t) {
    t.files.WriteFile("rec/26030513", t.second);
}
void MakeOtherDayADanglingLink(Tree& t) {
    ASSERT_EQ(symlink("missing", t.Path("rec/26030513").c_str()), 0);
}
void MakeSecondAFolder(Tree& t) {
    t.files.MakeFolder(kSecond);
}
void MakeOtherDayUnreadable(Tree& t) {
    PlaceSecondOnOtherDay(t);
    t.Listing("rec/26030513").openError = EACCES;
}
void MakeRootUnreadable(Tree& t) {
    t.Listing("rec").openError = EACCES;
}
void BreakOtherDayListingAfterItsFrame(Tree& t) {
    PlaceSecondOnOtherDay(t);
    test::FakeFolder& listing = t.Listing("rec/26030513");
    listing.entries = {{"CAM113000000.JPG", false, static_cast<std::uint32_t>(t.second.size())}};
    listing.stopCode = EIO;
}
void BreakRootListingAfterFirstDay(Tree& t) {
    PlaceSecondOnOtherDay(t);
    test::FakeFolder& listing = t.Listing("rec");
    listing.entries = {{".", true, 0}, {"..", true, 0}, {"26030512", true, 0}};
    listing.stopCode = EIO;
}

const std::vector<std::string> kFirstDayOnly = {"26030512"};
const std::vector<std::string> kBothDays = {"26030512", "26030513"};
constexpr std::int32_t kFirstDay = 26030512;
constexpr std::int32_t kOtherDayKey = 26030513;
constexpr std::int32_t kNoLoad = 0;

const TreeCase kCases[] = {
    {"frame removed between scan and load",
     PlaceSecond,
     "rec",
     RemoveSecond,
     0,
     kFirstDayOnly,
     {},
     kFirstDay,
     1,
     1,
     Shown::FirstPicture},
    {"frame grown between scan and load",
     PlaceSecondAsPlaceholder,
     "rec",
     GrowSecond,
     0,
     kFirstDayOnly,
     {},
     kFirstDay,
     1,
     0,
     Shown::SecondPicture},
    {"frame cut to its header between scan and load",
     PlaceSecond,
     "rec",
     CutSecondToItsHeader,
     0,
     kFirstDayOnly,
     {},
     kFirstDay,
     1,
     0,
     Shown::FirstPicture},
    {"frame replaced by a folder",
     PlaceSecond,
     "rec",
     ReplaceSecondByFolder,
     0,
     kFirstDayOnly,
     {},
     kFirstDay,
     1,
     1,
     Shown::FirstPicture},
    {"frame replaced by a named pipe",
     PlaceSecond,
     "rec",
     ReplaceSecondByPipe,
     0,
     kFirstDayOnly,
     {},
     kFirstDay,
     1,
     1,
     Shown::FirstPicture},
    {"frame replaced by a dangling link",
     PlaceSecond,
     "rec",
     ReplaceSecondByDanglingLink,
     0,
     kFirstDayOnly,
     {},
     kFirstDay,
     1,
     1,
     Shown::FirstPicture},
    {"frame name in lower case on disk",
     PlaceSecondInLowerCase,
     "rec",
     nullptr,
     0,
     kFirstDayOnly,
     {},
     kFirstDay,
     1,
     0,
     Shown::SecondPicture},
    {"non-ASCII bytes in folder and frame names",
     PlaceSecondUnderNonAsciiNames,
     "rec",
     nullptr,
     0,
     {"26030512", "26030513_\xC3\xA9t\xC3\xA9"},
     {},
     kOtherDayKey,
     0,
     0,
     Shown::SecondPicture},
    {"date folder linked from elsewhere",
     LinkOtherDayFromElsewhere,
     "rec",
     nullptr,
     0,
     kBothDays,
     {},
     kOtherDayKey,
     0,
     0,
     Shown::SecondPicture},
    {"date folder that is a file",
     MakeOtherDayAFile,
     "rec",
     nullptr,
     0,
     kFirstDayOnly,
     {},
     kNoLoad,
     0,
     0,
     Shown::FirstPicture},
    {"picked date folder that is a file",
     MakeOtherDayAFile,
     "rec/26030513",
     nullptr,
     0,
     kFirstDayOnly,
     {},
     kNoLoad,
     0,
     0,
     Shown::FirstPicture},
    {"dangling link as a date folder",
     MakeOtherDayADanglingLink,
     "rec",
     nullptr,
     0,
     kFirstDayOnly,
     {},
     kNoLoad,
     0,
     0,
     Shown::FirstPicture},
    {"folder with a frame's name",
     MakeSecondAFolder,
     "rec",
     nullptr,
     0,
     kFirstDayOnly,
     {},
     kFirstDay,
     1,
     1,
     Shown::FirstPicture},
    {"unreadable date folder",
     MakeOtherDayUnreadable,
     "rec",
     nullptr,
     0,
     kFirstDayOnly,
     {"File List is Empty"},
     kNoLoad,
     0,
     0,
     Shown::FirstPicture},
    {"unreadable root",
     MakeRootUnreadable,
     "rec",
     nullptr,
     1,
     {},
     {"FindFirstFile"},
     kNoLoad,
     0,
     0,
     Shown::FirstPicture},
    {"date folder listing fails after its frame",
     BreakOtherDayListingAfterItsFrame,
     "rec",
     nullptr,
     0,
     kBothDays,
     {"! ERROR_NO_MORE_FILES"},
     kOtherDayKey,
     0,
     0,
     Shown::SecondPicture},
    {"root listing fails after the first day",
     BreakRootListingAfterFirstDay,
     "rec",
     nullptr,
     0,
     kFirstDayOnly,
     {"! ERROR_NO_MORE_FILES"},
     kNoLoad,
     0,
     0,
     Shown::FirstPicture},
    {"nothing damaged",
     PlaceSecondOnOtherDay,
     "rec/26030513",
     Nothing,
     0,
     kBothDays,
     {},
     kOtherDayKey,
     0,
     0,
     Shown::SecondPicture},
};

std::vector<std::string> KeptFolders(const CMavFileManager& manager) {
    std::vector<std::string> names;
    for (std::int32_t i = 0; i < manager.Folders().folderCount; ++i) {
        names.emplace_back(manager.Folders().folders[static_cast<std::size_t>(i)]->name);
    }
    return names;
}

TEST(DamagedTreeMatrix, EachChangeHasItsOneResult) {
    const Bytes firstPicture = test::PictureOf(test::GoodFrame(1), DecoderVariant::kScalar);
    const Bytes secondPicture = test::PictureOf(test::GoodFrame(2), DecoderVariant::kScalar);
    for (const TreeCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Tree tree;
        tree.files.WriteFile(kFirst, test::GoodFrame(1));
        c.build(tree);
        const auto manager = test::MakeManager(DecoderVariant::kScalar);
        ASSERT_TRUE(manager->LoadFrame(tree.Path(kFirst).c_str()));
        ASSERT_EQ(test::ShownPicture(*manager), firstPicture);

        test::ReportRecorder reports;
        char picked[kPathCapacity];
        std::snprintf(picked, sizeof picked, "%s", tree.Path(c.picked).c_str());
        EXPECT_EQ(manager->ScanFolderTree(picked), c.wantScan);
        EXPECT_EQ(std::string(picked), tree.Path("rec"))
            << "the scanned root, in the caller's buffer";
        EXPECT_EQ(KeptFolders(*manager), c.wantFolders);
        EXPECT_EQ(reports.Whats(), c.wantReports);
        if (c.afterScan != nullptr) {
            c.afterScan(tree);
        }
        if (c.loadDateKey != kNoLoad) {
            std::int32_t index = -1;
            ASSERT_TRUE(manager->SearchByDateTime(c.loadDateKey, 0, index));
            Playhead head;
            EXPECT_EQ(manager->GoToFile(head, c.loadIndex) ? 0 : 1, c.wantLoad);
        }
        EXPECT_EQ(test::ShownPicture(*manager),
                  c.wantShown == Shown::FirstPicture ? firstPicture : secondPicture);
        EXPECT_EQ(reports.Whats(), c.wantReports) << "loading reports nothing";
    }
}

// The scan as the viewer runs it, on a worker with its reports collected there, against the
// scan in place: the same folders, current folder, root, count and reports. The folder looked
// at ahead is the one the scan makes current whenever that one holds frames and is kept (a
// folder beyond the limit can be told only by reading all before it).
void ExpectTheSameScanOnAWorker(const char* picked) {
    CMavFileManager manager;
    test::ReportRecorder inPlace;
    char path[kPathCapacity];
    std::snprintf(path, sizeof path, "%s", picked);
    const int result = manager.ScanFolderTree(path);
    ScannedTree scanned;
    std::unique_ptr<CMavFolder> ahead;
    std::vector<std::string> onWorker;
    std::thread([&] {
        const ScopedThreadErrorReporter collect(
            [&onWorker](const ErrorReport& report) { onWorker.emplace_back(report.what); });
        ahead = ChosenFolderAhead(picked);
        ScanTree(picked, scanned);
    }).join();
    EXPECT_EQ(onWorker, inPlace.Whats());
    EXPECT_EQ(scanned.result, result);
    EXPECT_STREQ(scanned.path, path);
    CMavFileManager taken;
    taken.TakeScannedTree(scanned);
    EXPECT_EQ(KeptFolders(taken), KeptFolders(manager));
    EXPECT_EQ(taken.Folders().currentIndex, manager.Folders().currentIndex);
    EXPECT_EQ(taken.TotalFiles(), manager.TotalFiles());
    EXPECT_STREQ(taken.RootPath(), manager.RootPath());
    const CMavFolder* current = manager.Folders().GetCurrent();
    const std::vector<std::string> kept = KeptFolders(manager);
    if (current != nullptr && ahead != nullptr &&
        std::find(kept.begin(), kept.end(), ahead->name) != kept.end()) {
        EXPECT_STREQ(ahead->name, current->name);
        EXPECT_EQ(ahead->GetFirstFile()->ListedName(), current->GetFirstFile()->ListedName());
    }
}

TEST(DamagedTreeMatrix, TheScanOnAWorkerGivesWhatTheScanInPlaceGives) {
    for (const TreeCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Tree tree;
        tree.files.WriteFile(kFirst, test::GoodFrame(1));
        c.build(tree);
        ExpectTheSameScanOnAWorker(tree.Path(c.picked).c_str());
    }
}

// The limits, on made-up listings: one folder too many, one frame file too many.
TEST(DamagedTreeMatrix, TheScanOnAWorkerMeetsTheLimitsAsTheScanInPlace) {
    test::FakeListings listings;
    test::FakeFolder& root = listings["/limits"];
    const test::FakeEntry frame{"CAM100000001.JPG", false, 1000};
    for (std::int32_t i = 0; i <= kMaxFolders; ++i) {
        const std::string name = std::to_string(10010100 + i);
        root.entries.push_back({name, true, 0});
        listings["/limits/" + name].entries = {frame};
    }
    std::vector<test::FakeEntry>& crowded = listings["/limits/10010100"].entries;
    for (std::int32_t i = 1; i <= kMaxFilesPerFolder; ++i) {
        crowded.push_back({"CAM1" + std::to_string(10000000 + i) + ".JPG", false, 1000});
    }
    ExpectTheSameScanOnAWorker("/limits");
}

}  // namespace
}  // namespace orvik
