// What a batch command asks for, read as the viewer's scan reads it and no further: the
// frames (paths, moments, order) are held to those the whole scan gives for the same
// request, over date folders, ranges on every side of the folders' frames, frames whose
// times run days past their folder's date, and damaged listings; the reports to those the
// scan makes for the folders asked for; and the folders that cannot hold a frame asked for
// are not read at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "library/asked_frames.h"
#include "library/file_manager.h"
#include "library/name_keys.h"
#include "library/recorded_frames.h"
#include "library/report_texts.h"
#include "testing/support/fake_listings.h"
#include "tests/library/library_fixtures.h"

namespace orvik {
namespace {

using test::FrameName;
using test::Report;
using test::TimeOfDay;

constexpr char kRoot[] = "/rec";
constexpr std::uint32_t kFrameSize = 600;

struct Frame {
    std::string path;
    CaptureMoment moment;
    bool namesSpellTime;
    bool operator==(const Frame&) const = default;
};

// Frames and reports of one way of reading a request.
struct Read {
    int result = 0;
    std::vector<Frame> frames;
    std::vector<Report> reports;
};

std::vector<Frame> Frames(const std::vector<RecordedFrame>& recorded, const CaptureRange& range) {
    std::vector<Frame> frames;
    for (const RecordedFrame& frame : recorded) {
        if (range.Holds(frame.moment)) {
            frames.push_back({frame.path, frame.moment, frame.namesSpellTime});
        }
    }
    return frames;
}

// The request read by the viewer's whole scan: a date folder's frames found by its path, as
// orvik-frame found them before, then those within range.
Read WholeScan(const std::string& path, const CaptureRange& range) {
    test::ReportRecorder recorder;
    CMavFileManager manager;
    char buffer[kPathCapacity];
    std::snprintf(buffer, sizeof buffer, "%s", path.c_str());
    Read read;
    read.result = manager.ScanFolderTree(buffer);
    const bool dateFolder = path != manager.RootPath();
    read.frames = Frames(RecordedFrames(manager.Folders(), dateFolder ? path : ""), range);
    read.reports = recorder.reports;
    return read;
}

Read Asked(const std::string& path, const CaptureRange& range) {
    test::ReportRecorder recorder;
    AskedFrames asked;
    Read read;
    read.result = asked.Read(path.c_str(), range);
    const std::vector<RecordedFrame> recorded = RecordedFrames(asked.Runs());
    EXPECT_EQ(asked.FrameCount(), recorded.size());
    read.frames = Frames(recorded, {});
    read.reports = recorder.reports;
    return read;
}

CaptureMoment At(int day, int hour, int minute = 0, int second = 0, int hundredths = 0) {
    return MomentOf(CaptureTime{2024, 2, day, hour, minute, second, hundredths});
}

// A made-up recording under /rec, listed in the order given, with a damaged folder or two.
class AskedFramesTest : public ::testing::Test {
  protected:
    AskedFramesTest() {
        Root().entries = {{".", true, 0}, {"..", true, 0}};
        Folder("24013123", {TimeOfDay(23, 0, 0), TimeOfDay(23, 59, 59, 99)});
        Folder("24020100", {TimeOfDay(0, 0, 0), TimeOfDay(0, 0, 1), TimeOfDay(0, 0, 2)});
        Folder("24020100_b", {TimeOfDay(0, 0, 1)});  // the same date key, listed after
        // 99:00:00 runs into February 5, 03:00.
        Folder("24020109", {TimeOfDay(9, 0, 0), TimeOfDay(9, 30, 0), TimeOfDay(99, 0, 0)});
        Folder("24020212", {TimeOfDay(12, 0, 0), TimeOfDay(12, 0, 0, 50), TimeOfDay(12, 10, 0)});
        Folder("24020300", {});
        Files("24020300", {{"cam100000050.jpg", false, kFrameSize}});  // lower case
        Folder("24133009", {TimeOfDay(9, 0, 0)});                      // month 13: January 30, 2025
        Folder("24020400", {});                                        // no frames: dropped
        Folder("24020500", {TimeOfDay(5, 0, 0)});
        listings[Path("24020500")].openError = EACCES;
        Folder("24020600", {TimeOfDay(6, 0, 0), TimeOfDay(6, 0, 1)});
        listings[Path("24020600")].stopCode = EIO;
        Folder("24020800", {});
        Files("24020800", {{FrameName(TimeOfDay(8, 0, 0)), false, 545}});  // a header alone
        Root().entries.push_back({"24020700", false, kFrameSize});         // a file
        Root().entries.push_back({"notes", true, 0});
        listings[Path("notes")];
    }

    static std::string Path(const std::string& name) { return std::string(kRoot) + "/" + name; }
    test::FakeFolder& Root() { return listings[kRoot]; }
    void Folder(const std::string& name, std::vector<std::int32_t> times) {
        Root().entries.push_back({name, true, 0});
        std::vector<test::FakeEntry>& entries = listings[Path(name)].entries;
        for (const std::int32_t time : times) {
            entries.push_back({FrameName(time), false, kFrameSize});
        }
    }
    void Files(const std::string& name, std::vector<test::FakeEntry> files) {
        std::vector<test::FakeEntry>& entries = listings[Path(name)].entries;
        entries.insert(entries.end(), files.begin(), files.end());
    }
    // How often each folder was listed (names or whole) since the last call.
    std::size_t TimesListed(const std::string& name) const {
        return static_cast<std::size_t>(
            std::count(listings.asked.begin(), listings.asked.end(), Path(name)));
    }

    test::FakeListings listings;
};

// Every date folder alone and ranges around and between the folders' frames: the frames
// are the whole scan's.
TEST_F(AskedFramesTest, FramesAreTheWholeScansForEveryRequest) {
    const std::vector<CaptureRange> ranges = {
        {},
        {At(1, 0, 0, 1), std::nullopt},
        {std::nullopt, At(1, 0, 0, 1)},
        {At(1, 0, 0, 1), At(1, 0, 0, 1)},
        {At(1, 0, 0, 0, 1), At(1, 0, 0, 0, 99)},  // between two frames
        {At(2, 12), At(2, 12, 0, 0, 50)},
        {At(5, 3), At(5, 3)},  // the frame whose time runs past its folder's day
        {At(5, 0), At(6, 23, 59, 59, 99)},
        {MomentOf(CaptureTime{2025, 1, 30}), std::nullopt},
        {At(1, 0) - 1, At(1, 0) - 1},  // the last hundredth of January 31
        {At(9, 0), At(1, 0)},          // ends the wrong way round: nothing
    };
    std::vector<std::string> paths = {kRoot, std::string(kRoot) + "/"};
    for (const test::FakeEntry& entry : listings[kRoot].entries) {
        if (entry.isDirectory && IsDateFolderName(entry.name)) {
            paths.push_back(Path(entry.name));
        }
    }
    for (const std::string& path : paths) {
        for (const CaptureRange& range : ranges) {
            SCOPED_TRACE(path + " from " + (range.from ? MomentText(*range.from) : "the start") +
                         " to " + (range.to ? MomentText(*range.to) : "the end"));
            const Read whole = WholeScan(path, range);
            const Read asked = Asked(path, range);
            EXPECT_EQ(asked.result, whole.result);
            EXPECT_EQ(asked.frames, whole.frames);
            // Every report made is one the whole scan makes, in the same order.
            auto next = whole.reports.begin();
            for (const Report& report : asked.reports) {
                next = std::find(next, whole.reports.end(), report);
                ASSERT_NE(next, whole.reports.end()) << report.what << " " << report.code;
                ++next;
            }
        }
    }
}

// The reports of the folders read, and none of the folders not asked for.
TEST_F(AskedFramesTest, ReportsAreThoseOfTheFoldersAsked) {
    const Report notListed{kFolderNotListed, EACCES};
    const Report cutShort{kListingCutShort, EIO};
    struct Case {
        const char* name;
        std::string path;
        CaptureRange range;
        std::vector<Report> want;
    };
    const Case cases[] = {
        {"the whole root", kRoot, {}, {notListed, cutShort}},
        {"a day before the damaged ones", kRoot, {At(2, 12), At(2, 13)}, {}},
        {"a day the unlistable folder can hold", kRoot, {At(5, 3), At(5, 3)}, {notListed}},
        {"the day of the cut listing", kRoot, {At(6, 0), At(6, 23)}, {notListed, cutShort}},
        {"the unlistable folder", Path("24020500"), {}, {notListed}},
        {"the cut listing's folder", Path("24020600"), {}, {cutShort}},
        {"a sound folder", Path("24020212"), {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Asked(c.path, c.range).reports, c.want);
    }
    EXPECT_EQ(Asked(Path("24020600"), {}).frames.size(), 2u) << "what was listed is kept";
}

// A folder is listed whole only when its names can put a frame within the range; the
// folders whose dates cannot hold one are not listed at all.
TEST_F(AskedFramesTest, FoldersThatCannotHoldAFrameAskedForAreNotRead) {
    listings.asked.clear();
    const Read read = Asked(kRoot, {At(2, 12), At(2, 12, 5)});
    EXPECT_EQ(read.frames.size(), 2u);
    EXPECT_EQ(TimesListed("24020212"), 2u) << "its names, then whole";
    for (const char* name : {"24013123", "24020100", "24020100_b", "24020109"}) {
        EXPECT_EQ(TimesListed(name), 1u) << name << ": its names alone";
    }
    for (const char* name : {"24020300", "24020500", "24020600", "24133009", "notes"}) {
        EXPECT_EQ(TimesListed(name), 0u) << name;
    }

    listings.asked.clear();
    EXPECT_EQ(Asked(Path("24020100_b"), {}).frames.size(), 1u);
    EXPECT_EQ(listings.asked, (std::vector<std::string>{kRoot, Path("24020100_b")}));
}

// The root's own listing: its failures are reported and end the read as the scan's do.
TEST_F(AskedFramesTest, TheRootsListingFailsAsTheScansDoes) {
    std::vector<test::FakeEntry>& entries = Root().entries;
    entries.erase(std::find_if(entries.begin(), entries.end(),
                               [](const test::FakeEntry& e) { return e.name == "24020212"; }),
                  entries.end());
    Root().stopCode = ENOSPC;
    for (const std::string& path : {std::string(kRoot), Path("24020109"), Path("24020212")}) {
        SCOPED_TRACE(path);
        const Read whole = WholeScan(path, {});
        const Read asked = Asked(path, {At(1, 9), std::nullopt});
        EXPECT_EQ(asked.frames, WholeScan(path, {At(1, 9), std::nullopt}).frames);
        const std::vector<Report> cutShort = {{kListingCutShort, ENOSPC}};
        EXPECT_EQ(asked.reports, cutShort);
        EXPECT_EQ(whole.reports, cutShort);
    }
    Root().openError = EACCES;
    for (const std::string& path : {std::string(kRoot), Path("24020109"), std::string("rec")}) {
        SCOPED_TRACE(path);
        const Read whole = WholeScan(path, {});
        const Read asked = Asked(path, {});
        EXPECT_EQ(asked.result, whole.result);
        EXPECT_EQ(asked.reports, whole.reports);
        EXPECT_TRUE(asked.frames.empty());
    }
}

// More date folders than the records take: which the scan keeps depends on every folder
// before them, so all are read, and the folder beyond the limit is refused as the scan
// refuses it.
TEST(AskedFramesLimit, ARootBeyondTheFolderLimitIsReadAsTheScanReadsIt) {
    test::FakeListings listings;
    test::FakeFolder& root = listings[kRoot];
    for (std::int32_t i = 0; i <= kMaxFolders; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "24010100_%05d", static_cast<int>(i));
        root.entries.push_back({name, true, 0});
    }
    listings.anyOtherFolder = test::FakeFolder{{{FrameName(TimeOfDay(0, 0, 1)), false, 600}}};
    const std::string last = std::string(kRoot) + "/" + root.entries.back().name;
    for (const std::string& path : {std::string(kRoot), last}) {
        SCOPED_TRACE(path);
        const CaptureRange range{MomentOf(CaptureTime{2024, 1, 1}), std::nullopt};
        const Read whole = WholeScan(path, range);
        const Read asked = Asked(path, range);
        EXPECT_EQ(asked.frames.size(), path == kRoot ? static_cast<std::size_t>(kMaxFolders) : 0u);
        EXPECT_EQ(asked.frames, whole.frames);
        EXPECT_EQ(asked.reports, whole.reports);
        ASSERT_EQ(asked.reports.size(), 1u);
        EXPECT_EQ(asked.reports[0].what, kTooManyFolders);
    }
}

TEST(FrameRuns, ARangeTakesOneRunOfAFoldersSlots) {
    CMavFolder folder("24020100", nullptr);
    folder.dateKey = 24020100;
    for (const char* listed : {"CAM100000000.JPG", "CAM100000100.JPG", "CAM100000100.jpg",
                               "CAM100000200.JPG", "CAM199999999.JPG"}) {
        char name[kNameCapacity];
        std::snprintf(name, sizeof name, "%s", listed);
        ASSERT_EQ(folder.AddFile(name), Addition::kAdded);
    }
    ASSERT_EQ(folder.GetLastFile()->timeKey, kLatestTimeKey);
    const CaptureMoment midnight = At(1, 0);
    struct Case {
        CaptureRange range;
        std::int32_t first;
        std::int32_t count;
    };
    const Case cases[] = {
        {{}, 0, 5},
        {{midnight + 100, midnight + 100}, 1, 2},
        {{midnight + 1, midnight + 199}, 1, 2},
        {{midnight + 101, midnight + 199}, 3, 0},
        {{std::nullopt, midnight - 1}, 0, 0},
        {{midnight + kLatestTimeKey, std::nullopt}, 4, 1},
        {{midnight + kLatestTimeKey + 1, std::nullopt}, 5, 0},
    };
    for (const Case& c : cases) {
        const FolderRun run = RunInRange(folder, c.range);
        EXPECT_EQ(run.folder, &folder);
        EXPECT_EQ(run.first, c.first);
        EXPECT_EQ(run.count, c.count);
    }
    EXPECT_TRUE(DateCanHoldRange(24020100, {midnight + kLatestTimeKey, std::nullopt}));
    EXPECT_FALSE(DateCanHoldRange(24020100, {midnight + kLatestTimeKey + 1, std::nullopt}));
    EXPECT_TRUE(DateCanHoldRange(24020123, {std::nullopt, midnight}));  // its hour is not read
    EXPECT_FALSE(DateCanHoldRange(24020100, {std::nullopt, midnight - 1}));
}

}  // namespace
}  // namespace orvik
