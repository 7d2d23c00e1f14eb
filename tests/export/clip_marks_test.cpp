// The viewer's clip marks and the export's range: a mark set on the frame on screen holds
// that frame's moment, and the range between two marks takes exactly the frames from the
// one marked first to the one marked last, across a day boundary, a gap, and a folder
// whose last frame runs into the next folder's hour.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "export/clip_frames.h"
#include "library/recorded_frames.h"
#include "tests/library/library_fixtures.h"

namespace orvik {
namespace {

using test::TimeOfDay;

// A frame of the recording by its slots, as the viewer goes to it.
struct Slot {
    std::int32_t folder;
    std::int32_t file;
};

struct MarksCase {
    const char* name;
    Slot start;
    std::optional<Slot> end;           // none: the clip runs to the recording's last frame
    std::vector<std::string> clipped;  // folder/file of the frames the range takes
};

class ClipMarksTest : public ::testing::TestWithParam<MarksCase> {
  protected:
    ClipMarksTest() {
        test::WritePlaceholderFrames(tree, "24061522",
                                     {TimeOfDay(22, 0, 0), TimeOfDay(23, 59, 59)});
        test::WritePlaceholderFrames(tree, "24061523",
                                     {TimeOfDay(23, 59, 58), TimeOfDay(23, 59, 59, 50)});
        test::WritePlaceholderFrames(tree, "24061600",
                                     {TimeOfDay(0, 0, 0), TimeOfDay(0, 0, 1),  // a gap after
                                      TimeOfDay(0, 0, 9), TimeOfDay(0, 0, 9, 50)});
        char root[kPathCapacity];
        std::snprintf(root, sizeof root, "%s", tree.Root().c_str());
        EXPECT_EQ(manager.ScanFolderTree(root), 0);
    }

    // Shows the frame as the viewer does and marks it: its moment, and the path it was
    // opened by.
    std::pair<std::optional<CaptureMoment>, std::string> Mark(const Slot& slot) {
        Playhead head;
        EXPECT_TRUE(manager.SelectFolder(slot.folder));
        EXPECT_TRUE(manager.GoToFile(head, slot.file));
        return {ShownMoment(manager), manager.OpenPath()};
    }

    test::TempTree tree;
    CMavFileManager manager;
};

TEST_P(ClipMarksTest, TheRangeBetweenTheMarksTakesTheMarkedFramesAndThoseBetween) {
    const MarksCase& c = GetParam();
    const auto [start, startPath] = Mark(c.start);
    ASSERT_TRUE(start);
    std::optional<CaptureMoment> end;
    std::string endPath;
    if (c.end) {
        std::tie(end, endPath) = Mark(*c.end);
        ASSERT_TRUE(end);
    }
    const std::vector<ClipFrame> frames =
        ChooseClipFrames(RecordedFrames(manager.Folders()), {start, end});
    std::vector<std::string> clipped;
    for (const ClipFrame& frame : frames) {
        clipped.push_back(frame.path.substr(tree.Root().size() + 1));
    }
    EXPECT_EQ(clipped, c.clipped);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.front().path, startPath);
    if (c.end) {
        EXPECT_EQ(frames.back().path, endPath);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClipMarksTest,
    ::testing::Values(MarksCase{"OverMidnightAndAGap",
                                {1, 1},
                                Slot{2, 2},
                                {"24061523/CAM123595950.JPG", "24061600/CAM100000000.JPG",
                                 "24061600/CAM100000100.JPG", "24061600/CAM100000900.JPG"}},
                      MarksCase{"AFrameThatRunsIntoTheNextFolder",
                                {0, 1},
                                Slot{1, 1},
                                {"24061522/CAM123595900.JPG", "24061523/CAM123595950.JPG"}},
                      MarksCase{
                          "BothMarksOnOneFrame", {2, 3}, Slot{2, 3}, {"24061600/CAM100000950.JPG"}},
                      MarksCase{"OnlyAStart",
                                {2, 1},
                                std::nullopt,
                                {"24061600/CAM100000100.JPG", "24061600/CAM100000900.JPG",
                                 "24061600/CAM100000950.JPG"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvik
