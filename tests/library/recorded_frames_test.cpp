// The recording's frames as the export and orvik-frame check read them: by the names the
// listing gave, with their capture moments, and the capture time a JPEG of each carries
// held to the one its path spells.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "library/recorded_frames.h"
#include "tests/library/library_fixtures.h"

namespace orvik {
namespace {

using test::TimeOfDay;

constexpr char kLongFolder[] = "24061600_a_folder_name_longer_than_a_record_keeps";

class RecordedFramesTest : public ::testing::Test {
  protected:
    RecordedFramesTest() {
        const std::vector<std::uint8_t> placeholder(546, 0);
        for (const char* frame : {
                 "24061523/CAM123595800.JPG",
                 "24061523/cam123595950.jpg",  // lower case
                 "24133009/CAM109000000.JPG",  // month 13: no real date
                 "24061509/CAM1090000xx.JPG",  // no hundredths
             }) {
            tree.WriteFile(frame, placeholder);
        }
        tree.WriteFile(std::string(kLongFolder) + "/CAM100000100_and_a_tail_beyond_31.JPG",
                       placeholder);
        std::snprintf(path, sizeof path, "%s", tree.Root().c_str());
        EXPECT_EQ(manager.ScanFolderTree(path), 0);
    }

    test::TempTree tree;
    CMavFileManager manager;
    char path[kPathCapacity];
};

TEST_F(RecordedFramesTest, EachFrameByItsListedNameWithItsMoment) {
    const CaptureMoment june16 = MomentOf(CaptureTime{2024, 6, 16});
    struct Want {
        std::string path;
        CaptureMoment moment;
        bool namesSpellTime;
    };
    const Want wants[] = {
        {tree.Path("24061509/CAM1090000xx.JPG"), june16 - kHundredthsPerDay + TimeOfDay(9, 0, 0),
         false},
        {tree.Path("24061523/CAM123595800.JPG"), june16 - TimeOfDay(0, 0, 2), true},
        {tree.Path("24061523/cam123595950.jpg"), june16 - TimeOfDay(0, 0, 0, 50), true},
        {tree.Path(kLongFolder) + "/CAM100000100_and_a_tail_beyond_31.JPG",
         june16 + TimeOfDay(0, 0, 1), true},
        {tree.Path("24133009/CAM109000000.JPG"), MomentOf(CaptureTime{2025, 1, 30, 9, 0, 0, 0}),
         false},
    };
    const std::vector<RecordedFrame> frames = RecordedFrames(manager.Folders());
    ASSERT_EQ(frames.size(), std::size(wants));
    for (std::size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE(wants[i].path);
        EXPECT_EQ(frames[i].path, wants[i].path);
        EXPECT_EQ(frames[i].moment, wants[i].moment) << MomentText(frames[i].moment);
        EXPECT_EQ(frames[i].namesSpellTime, wants[i].namesSpellTime);
        // What the export writes into a frame's JPEG is what orvik-frame jpeg reads off its path.
        EXPECT_EQ(NamedCaptureTime(frames[i]), CaptureTimeOfPath(frames[i].path));
    }
}

TEST_F(RecordedFramesTest, ADateFolderIsTakenByItsWholePath) {
    const std::vector<RecordedFrame> frames =
        RecordedFrames(manager.Folders(), tree.Path(kLongFolder));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].path, tree.Path(kLongFolder) + "/CAM100000100_and_a_tail_beyond_31.JPG");
    // The name a record keeps is not the folder's path.
    EXPECT_TRUE(RecordedFrames(manager.Folders(), tree.Path(std::string(kLongFolder).substr(0, 31)))
                    .empty());
    EXPECT_EQ(RecordedFrames(manager.Folders(), tree.Path("24061523")).size(), 2u);
}

TEST_F(RecordedFramesTest, TheShownMomentIsTheMomentOfTheFrameOnScreen) {
    EXPECT_EQ(ShownMoment(manager), std::nullopt);
    const std::vector<RecordedFrame> frames = RecordedFrames(manager.Folders());
    Playhead head;
    ASSERT_TRUE(manager.SelectFolder(1));
    ASSERT_TRUE(manager.GoToFile(head, 1));
    EXPECT_EQ(ShownMoment(manager), frames[2].moment);
    EXPECT_EQ(std::string(manager.OpenPath()), frames[2].path);
}

}  // namespace
}  // namespace orvik
