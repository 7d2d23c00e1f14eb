#include <gtest/gtest.h>

#include <optional>

#include "library/capture_time.h"
#include "library/recording_timeline.h"
#include "tests/library/library_fixtures.h"

namespace orvik {
namespace {

using test::TimeOfDay;

constexpr std::int64_t kDay = 8640000;
constexpr std::int64_t kJune15 = 8932 * kDay;  // 2024/06/15 00:00, in days from 2000/01/01

std::int64_t June15(int hours, int minutes, int seconds, int hundredths = 0) {
    return kJune15 + TimeOfDay(hours, minutes, seconds, hundredths);
}

class RecordingTimelineTest : public ::testing::Test {
  protected:
    test::TempTree tree;
};

TEST_F(RecordingTimelineTest, SpansEndAtPausesOverTwoSecondsAndAtEveryFolder) {
    const RecordingTimeline timeline = test::ScanTimeline(
        tree, {{"24061509",
                {TimeOfDay(9, 0, 0), TimeOfDay(9, 0, 1), TimeOfDay(9, 0, 3), TimeOfDay(9, 0, 5, 1),
                 TimeOfDay(9, 0, 6), TimeOfDay(9, 59, 59, 50)}},
               {"24061510", {TimeOfDay(10, 0, 0), TimeOfDay(10, 0, 0, 50)}}});
    EXPECT_EQ(timeline.FrameCount(), 8);
    EXPECT_EQ(timeline.FolderCount(), 2);
    EXPECT_EQ(timeline.FileCount(0), 6);
    EXPECT_EQ(timeline.First(), June15(9, 0, 0));
    EXPECT_EQ(timeline.Last(), June15(10, 0, 0, 50));
    const std::vector<TimeSpan> spans = {{June15(9, 0, 0), June15(9, 0, 3)},
                                         {June15(9, 0, 5, 1), June15(9, 0, 6)},
                                         {June15(9, 59, 59, 50), June15(9, 59, 59, 50)},
                                         {June15(10, 0, 0), June15(10, 0, 0, 50)}};
    EXPECT_EQ(timeline.Spans(), spans);
    EXPECT_EQ(timeline.FolderBoundaries(),
              (std::vector<std::int64_t>{June15(9, 0, 0), June15(10, 0, 0)}));
    EXPECT_EQ(timeline.FolderSpan(1), (TimeSpan{June15(10, 0, 0), June15(10, 0, 0, 50)}));
    EXPECT_EQ(timeline.FolderSpan(2), std::nullopt);

    struct Find {
        std::int64_t time;
        FramePosition found;
    };
    const Find finds[] = {
        {June15(8, 59, 59, 99), {0, 0}},  // before the recording: the first frame
        {June15(9, 0, 0), {0, 0}},       {June15(9, 0, 2, 99), {0, 1}},
        {June15(9, 0, 3), {0, 2}},       {June15(9, 30, 0), {0, 4}},
        {June15(9, 59, 59, 99), {0, 5}}, {June15(10, 0, 0), {1, 0}},
        {June15(23, 0, 0), {1, 1}},
    };
    for (const Find& f : finds) {
        EXPECT_EQ(timeline.Find(f.time), f.found) << MomentText(f.time);
    }
    EXPECT_EQ(timeline.TimeOf(0, 3), June15(9, 0, 5, 1));
    EXPECT_EQ(timeline.TimeOf(1, 1), June15(10, 0, 0, 50));
    for (const FramePosition outside :
         {FramePosition{-1, 0}, FramePosition{0, -1}, FramePosition{0, 6}, FramePosition{2, 0}}) {
        EXPECT_EQ(timeline.TimeOf(outside.folder, outside.file), std::nullopt);
    }
}

TEST_F(RecordingTimelineTest, FoldersWhoseFramesRunIntoEachOtherGiveOrderedSpansAndDefinedFinds) {
    // Names that disagree with their folders' hours: the later folder starts earlier.
    const RecordingTimeline timeline =
        test::ScanTimeline(tree, {{"24061509", {TimeOfDay(10, 0, 0), TimeOfDay(10, 0, 1)}},
                                  {"24061510", {TimeOfDay(9, 30, 0), TimeOfDay(10, 0, 0, 50)}}});
    EXPECT_EQ(timeline.Spans(), (std::vector<TimeSpan>{{June15(9, 30, 0), June15(9, 30, 0)},
                                                       {June15(10, 0, 0), June15(10, 0, 1)}}));
    EXPECT_EQ(timeline.First(), June15(9, 30, 0));
    EXPECT_EQ(timeline.Last(), June15(10, 0, 1));
    EXPECT_EQ(timeline.Find(June15(9, 0, 0)), (FramePosition{0, 0}));
    EXPECT_EQ(timeline.Find(June15(9, 45, 0)), (FramePosition{1, 0}));
    EXPECT_EQ(timeline.Find(June15(10, 0, 2)), (FramePosition{1, 1}));
}

TEST_F(RecordingTimelineTest, EmptyAndOneFrameRecordings) {
    const RecordingTimeline empty = test::ScanTimeline(tree, {});
    EXPECT_TRUE(empty.Empty());
    EXPECT_EQ(empty.FolderCount(), 0);
    EXPECT_TRUE(empty.Spans().empty());
    EXPECT_EQ(empty.Find(0), std::nullopt);
    EXPECT_EQ(empty.TimeOf(0, 0), std::nullopt);

    const RecordingTimeline one = test::ScanTimeline(tree, {{"24061509", {TimeOfDay(9, 0, 0)}}});
    EXPECT_EQ(one.Spans(), (std::vector<TimeSpan>{{June15(9, 0, 0), June15(9, 0, 0)}}));
    EXPECT_EQ(one.First(), one.Last());
    for (const std::int64_t t : {std::int64_t{0}, June15(9, 0, 0), June15(12, 0, 0)}) {
        EXPECT_EQ(one.Find(t), (FramePosition{0, 0}));
    }
}

}  // namespace
}  // namespace orvik
