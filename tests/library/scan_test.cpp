#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "library/file_manager.h"
#include "testing/support/fake_listings.h"
#include "tests/library/library_fixtures.h"

namespace orvik {
namespace {

using test::FrameName;
using test::ReportRecorder;
using test::TimeOfDay;

class ScanTest : public ::testing::Test {
  protected:
    // Scans path through a path buffer, as the main window does; the buffer is left in
    // scanned.
    int Scan(const std::string& path) {
        std::snprintf(scanned, sizeof scanned, "%s", path.c_str());
        return manager.ScanFolderTree(scanned);
    }
    void Frames(const std::string& folder, std::initializer_list<std::int32_t> times) {
        test::WritePlaceholderFrames(tree, folder, times);
    }
    std::vector<std::string> FolderNames() const {
        std::vector<std::string> names;
        for (const auto& folder : manager.Folders().folders) {
            names.emplace_back(folder->name);
        }
        return names;
    }
    std::vector<std::string> FileNames(std::size_t folder) const {
        std::vector<std::string> names;
        for (const CMavFile* f = manager.Folders().folders[folder]->GetFirstFile(); f != nullptr;
             f = f->next) {
            names.emplace_back(f->name);
        }
        return names;
    }
    std::string CurrentName() {
        CMavFolder* current = manager.Folders().GetCurrent();
        return current != nullptr ? current->name : "(none)";
    }

    test::TempTree tree;
    ReportRecorder recorder;
    CMavFileManager manager;
    char scanned[kPathCapacity] = {};
};

TEST_F(ScanTest, OrdersFoldersAndFilesByTime) {
    Frames("10010300", {TimeOfDay(3, 0, 2), TimeOfDay(3, 0, 1)});
    Frames("10010100", {TimeOfDay(1, 0, 0)});
    Frames("10010200", {TimeOfDay(2, 59, 59, 99), TimeOfDay(2, 0, 0), TimeOfDay(2, 30, 0)});
    ASSERT_EQ(Scan(tree.Root()), 0);
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"10010100", "10010200", "10010300"}));
    EXPECT_EQ(FileNames(1), (std::vector<std::string>{FrameName(TimeOfDay(2, 0, 0)),
                                                      FrameName(TimeOfDay(2, 30, 0)),
                                                      FrameName(TimeOfDay(2, 59, 59, 99))}));
    EXPECT_EQ(manager.TotalFiles(), 6);
    EXPECT_STREQ(manager.RootPath(), tree.Root().c_str());
    EXPECT_STREQ(manager.Folders().folders[2]->path, tree.Path("10010300").c_str());
    EXPECT_EQ(manager.CurrentFolder(), nullptr);
    EXPECT_EQ(manager.CurrentFile(), nullptr);
    EXPECT_TRUE(recorder.reports.empty());
}

TEST_F(ScanTest, CurrentFolderIsTheLastDirectoryNameListedOrThePickedFolder) {
    Frames("10010100", {100});
    Frames("10010200", {100});
    Frames("10010300", {100});
    ASSERT_EQ(Scan(tree.Root()), 0);
    EXPECT_EQ(CurrentName(), "10010300") << "last in listing order";

    ASSERT_EQ(Scan(tree.Path("10010200")), 0);
    EXPECT_EQ(CurrentName(), "10010200");
    EXPECT_STREQ(scanned, tree.Root().c_str()) << "the caller's buffer holds the parent";
    EXPECT_STREQ(manager.RootPath(), tree.Root().c_str());
    EXPECT_EQ(manager.Folders().folderCount, 3);

    // A later directory name of eight or more characters moves the key even when it is no
    // date: no folder has it, so the earliest becomes current. Shorter names do not count.
    tree.MakeFolder("zz_notes_folder");
    tree.MakeFolder("zz");
    ASSERT_EQ(Scan(tree.Root()), 0);
    EXPECT_EQ(CurrentName(), "10010100");
}

TEST_F(ScanTest, TakesFoldersByNameLengthAndKeyRange) {
    for (const char* name : {"1001010", "00004160", "00004161", "99123099", "99123100"}) {
        Frames(name, {100});
    }
    ASSERT_EQ(Scan(tree.Root()), 0);
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"00004161", "99123099"}));
}

TEST_F(ScanTest, TakesFilesByNameLengthSizeAndDigits) {
    tree.WriteFile("10010100/CAM112345678", 546);      // 12 characters: taken
    tree.WriteFile("10010100/CAM11234567", 546);       // 11: not
    tree.WriteFile("10010100/CAM112345679", 545);      // exactly a header: not
    tree.WriteFile("10010100/CAMERA_FRAME.JPG", 600);  // no digits: not, silently
    tree.WriteFile("10010100/CAM000000000.JPG", 600);  // digits of value 0: not
    tree.MakeFolder("10010100/CAM1_SUBFOLDER_0001");   // folders are not frames
    Frames("10010100/CAM1_SUBFOLDER_0001", {100});     // nor is anything below them
    tree.WriteFile(FrameName(100), 600);               // nor files in the root
    tree.WriteFile("10010500", 600);                   // nor a file named like a date
    ASSERT_EQ(Scan(tree.Root()), 0);
    ASSERT_EQ(FolderNames(), std::vector<std::string>{"10010100"});
    EXPECT_EQ(FileNames(0), std::vector<std::string>{"CAM112345678"});
    EXPECT_EQ(manager.TotalFiles(), 1);
    EXPECT_TRUE(recorder.reports.empty());
}

TEST_F(ScanTest, DropsFoldersWithoutFramesSilently) {
    tree.WriteFile("10010100/" + FrameName(100), 545);
    tree.WriteFile("10010200/CAM10000001", 4000);
    tree.MakeFolder("10010300");
    ASSERT_EQ(Scan(tree.Root()), 0);
    EXPECT_EQ(manager.Folders().folderCount, 0);
    EXPECT_EQ(manager.TotalFiles(), 0);
    EXPECT_EQ(manager.Folders().currentIndex, 0);
    EXPECT_EQ(manager.Folders().GetCurrent(), nullptr);
    EXPECT_TRUE(recorder.reports.empty());
}

TEST_F(ScanTest, EqualKeysKeepListingOrderAndTheLaterBecomesCurrent) {
    tree.WriteFile("10010100/" + FrameName(200), 546);
    tree.WriteFile("10010100x/" + FrameName(100), 546);
    ASSERT_EQ(Scan(tree.Root()), 0);
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"10010100", "10010100x"}));
    EXPECT_EQ(manager.Folders().currentIndex, 1);
}

TEST_F(ScanTest, SecondScanLeavesNothingOfTheFirst) {
    test::TempTree other;
    Frames("10010100", {100, 200});
    test::WritePlaceholderFrames(other, "11020300", {300});
    ASSERT_EQ(Scan(tree.Root()), 0);
    ASSERT_TRUE(manager.LoadFirstFrame());
    ASSERT_EQ(Scan(other.Root()), 0);
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"11020300"});
    EXPECT_EQ(manager.TotalFiles(), 1);
    EXPECT_EQ(manager.CurrentFolder(), nullptr);
    EXPECT_EQ(manager.CurrentFile(), nullptr);
}

TEST_F(ScanTest, PathWithoutSeparatorGivesOneWithoutReport) {
    Frames("10010100", {100});
    ASSERT_EQ(Scan(tree.Root()), 0);
    EXPECT_EQ(Scan("10010100"), 1);
    EXPECT_EQ(manager.Folders().folderCount, 0) << "the earlier records are gone";
    EXPECT_TRUE(recorder.reports.empty());
}

TEST_F(ScanTest, RootThatCannotBeListedIsReportedWithItsCode) {
    EXPECT_EQ(Scan(tree.Path("absent")), 1);
    test::FakeListings listings;
    listings[tree.Root()].openError = EACCES;
    EXPECT_EQ(Scan(tree.Root()), 1);
    EXPECT_EQ(recorder.reports,
              (std::vector<test::Report>{{"FindFirstFile", ENOENT}, {"FindFirstFile", EACCES}}));
}

TEST_F(ScanTest, DateFolderThatCannotBeListedIsReportedAndDropped) {
    Frames("10010100", {100});
    Frames("10010200", {100});
    test::FakeListings listings;  // chmod 000 denies nothing to root: refuse the open here
    listings[tree.Path("10010100")].openError = EACCES;
    ASSERT_EQ(Scan(tree.Root()), 0);
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"10010200"});
    EXPECT_EQ(recorder.reports, (std::vector<test::Report>{{"File List is Empty", EACCES}}));
}

TEST_F(ScanTest, ListingEndingInAnErrorKeepsWhatWasListed) {
    Frames("10010100", {100});
    Frames("10010200", {100});
    test::FakeListings listings;
    listings[tree.Root()].entries = {{".", true, 0}, {"10010200", true, 0}};
    listings[tree.Root()].stopCode = EIO;
    ASSERT_EQ(Scan(tree.Root()), 0);
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"10010200"});
    EXPECT_EQ(recorder.reports, (std::vector<test::Report>{{"! ERROR_NO_MORE_FILES", EIO}}));
}

TEST_F(ScanTest, DateFolderRightBelowTheTopScansTheTop) {
    test::FakeListings listings;
    listings["/"].entries = {{"..", true, 0}, {"10010100", true, 0}, {"10010200", true, 0}};
    listings["/10010100"].entries = {{FrameName(100), false, 600}};
    listings["/10010200"].entries = {{FrameName(200), false, 600}};
    ASSERT_EQ(Scan("/10010100"), 0);
    EXPECT_STREQ(scanned, "/");
    EXPECT_STREQ(manager.Folders().folders[1]->path, "/10010200");
    EXPECT_EQ(CurrentName(), "10010100");
    EXPECT_EQ(listings.asked, (std::vector<std::string>{"/", "/10010100", "/10010200"}));
}

}  // namespace
}  // namespace orvik
