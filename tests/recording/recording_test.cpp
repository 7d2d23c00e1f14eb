#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library/file_manager.h"
#include "testing/recording/recording_clock.h"
#include "testing/recording/recording_options.h"
#include "testing/recording/recording_writer.h"
#include "testing/support/temp_tree.h"

namespace orvik {
namespace {

TEST(RecordingClock, StepsHoursAcrossDaysMonthsAndYears) {
    struct Case {
        std::int32_t from;
        int hours;
        std::int32_t want;
    };
    const Case cases[] = {
        {24061509, 0, 24061509}, {24061509, 1, 24061510}, {24061523, 1, 24061600},
        {24063023, 1, 24070100}, {24022823, 1, 24022900}, {23022823, 1, 23030100},
        {22823, 1, 22900},       {99123123, 1, 10100},    {24010100, 24 * 366, 25010100},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AddHours(c.from, c.hours), c.want) << c.from << " + " << c.hours;
    }
}

TEST(RecordingClock, KnowsRealDatesAndHours) {
    for (const std::int32_t key : {24061509, 24022923, 10100, 99123123}) {
        EXPECT_TRUE(IsDateHour(key)) << key;
    }
    for (const std::int32_t key :
         {23022900, 24130100, 24000100, 24063100, 24061524, 24060009, -1}) {
        EXPECT_FALSE(IsDateHour(key)) << key;
    }
}

TEST(RecordingClock, FrameTimesFollowTheRateAndLeaveOutTheGaps) {
    RecordingOptions options;
    options.seconds = 2;
    options.rate = 3;
    EXPECT_EQ(FolderFrameTimes(options), (std::vector<std::int32_t>{0, 33, 66, 100, 133, 166}));
    options.seconds = 5;
    options.rate = 1;
    options.gapEvery = 2;
    options.gapSeconds = 1;
    EXPECT_EQ(FolderFrameTimes(options), (std::vector<std::int32_t>{0, 100, 300, 400}));
}

TEST(RecordingOptions, ReadsEveryOptionAndRefusesBadValues) {
    const char* good[] = {"orvik-mkrec", "--output",  "out",  "--folders", "2",   "--start",
                          "24123123",    "--seconds", "10",   "--rate",    "4",   "--width",
                          "320",         "--height",  "240",  "--gap",     "3:7", "--suffix",
                          "_x",          "--prefix",  "CAM9", "--quality", "50"};
    RecordingOptions options;
    std::string error;
    ASSERT_TRUE(ParseRecordingOptions(static_cast<int>(std::size(good)), good, options, error))
        << error;
    EXPECT_EQ(options.output, "out");
    EXPECT_EQ(options.folders, 2);
    EXPECT_EQ(options.start, 24123123);
    EXPECT_EQ(options.seconds, 10);
    EXPECT_EQ(options.rate, 4);
    EXPECT_EQ(options.width, 320);
    EXPECT_EQ(options.height, 240);
    EXPECT_EQ(options.gapEvery, 3);
    EXPECT_EQ(options.gapSeconds, 7);
    EXPECT_EQ(options.suffix, "_x");
    EXPECT_EQ(options.prefix, "CAM9");
    EXPECT_EQ(options.quality, 50);

    const std::vector<std::vector<const char*>> bad = {
        {"--width", "330"},       {"--width", "1296"},     {"--height", "244"},
        {"--start", "24022923x"}, {"--start", "24023000"}, {"--start", "2406150"},
        {"--rate", "0"},          {"--seconds", "3601"},   {"--gap", "5"},
        {"--gap", "0:5"},         {"--prefix", "CAM"},     {"--suffix", "a/b"},
        {"--folders", "-1"},      {"--colour", "red"},     {"--output"},
    };
    for (const std::vector<const char*>& args : bad) {
        std::vector<const char*> argv = {"orvik-mkrec"};
        argv.insert(argv.end(), args.begin(), args.end());
        RecordingOptions untouched;
        EXPECT_FALSE(
            ParseRecordingOptions(static_cast<int>(argv.size()), argv.data(), untouched, error))
            << args[0];
        EXPECT_FALSE(error.empty());
    }
}

TEST(RecordingWriter, WritesATreeThatTheLibraryScansAndDecodes) {
    test::TempTree tree;
    const RecordingOptions options{.output = tree.Path("rec"),
                                   .folders = 2,
                                   .start = 24022923,
                                   .seconds = 4,
                                   .rate = 2,
                                   .width = 320,
                                   .height = 240,
                                   .gapEvery = 1,
                                   .gapSeconds = 1,
                                   .suffix = "_cam"};
    RecordingSummary summary;
    std::string error;
    ASSERT_TRUE(WriteRecording(options, summary, error)) << error;
    EXPECT_EQ(summary.folders, 2);
    EXPECT_EQ(summary.frames, 8);

    CMavFileManager manager;
    char path[kPathCapacity];
    std::snprintf(path, sizeof path, "%s", options.output.c_str());
    ASSERT_EQ(manager.ScanFolderTree(path), 0);
    ASSERT_EQ(manager.Folders().folderCount, 2);
    EXPECT_STREQ(manager.Folders().folders[0]->name, "24022923_cam");
    EXPECT_STREQ(manager.Folders().folders[1]->name, "24030100_cam") << "a leap day's last hour";
    std::vector<std::int32_t> times;
    for (const CMavFile* f = manager.Folders().folders[1]->GetFirstFile(); f; f = f->next) {
        times.push_back(f->timeKey);
    }
    EXPECT_EQ(times, (std::vector<std::int32_t>{0, 50, 200, 250}));

    int blackened = 0;
    manager.SetBlackenHook([&blackened](int, int) { ++blackened; });
    ASSERT_TRUE(manager.LoadFirstFrame());
    EXPECT_STREQ(manager.DateText(), "2024/03/01");
    EXPECT_STREQ(manager.TimeText(), "00:00:00");
    EXPECT_EQ(blackened, 1);
    EXPECT_EQ(manager.PictureWidth(), 320);
    EXPECT_EQ(manager.PictureHeight(), 240);
}

TEST(RecordingWriter, ReportsAnOutputThatCannotBeMade) {
    test::TempTree tree;
    tree.WriteFile("taken", 1);
    RecordingOptions options;
    options.output = tree.Path("taken");
    options.folders = 1;
    options.seconds = 1;
    RecordingSummary summary;
    std::string error;
    EXPECT_FALSE(WriteRecording(options, summary, error));
    EXPECT_NE(error.find("taken"), std::string::npos) << error;
}

}  // namespace
}  // namespace orvik
