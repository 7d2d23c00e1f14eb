// The index of a recording's activity, filled folder by folder: events in capture-time order
// across folders and days, the next and previous event from a frame (N and Shift+N), what a
// folder not yet filled shows, and filling from several threads while it is read.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "library/activity_index.h"
#include "tests/library/library_fixtures.h"

namespace orvik {
namespace {

using test::TimeOfDay;

constexpr Activity kQuiet = 0;
constexpr Activity kActive = 200;

// Three folders, each of five frames a second apart: the end of 09:00 on 15 June, the start
// of 10:00 the same day, and 09:00 the next day.
class ActivityIndexTest : public ::testing::Test {
  protected:
    static std::vector<std::int32_t> FiveFrom(std::int32_t first) {
        std::vector<std::int32_t> keys;
        for (int i = 0; i < 5; ++i) {
            keys.push_back(first + 100 * i);
        }
        return keys;
    }

    test::TempTree tree;
    RecordingTimeline timeline =
        test::ScanTimeline(tree, {
                                     {"24061509", FiveFrom(TimeOfDay(9, 59, 55))},
                                     {"24061510", FiveFrom(TimeOfDay(10, 0, 0))},
                                     {"24061609", FiveFrom(TimeOfDay(9, 0, 0))},
                                 });
    ActivityIndex index{timeline, kDefaultActivityThreshold};
};

TEST_F(ActivityIndexTest, EventsRunAcrossFoldersAndStepAcrossDays) {
    ASSERT_EQ(index.FolderCount(), 3);
    // An event from the last two frames of one hour into the first of the next, and one in
    // the middle of the next day's folder, a damaged frame beside it.
    index.SetFolder(0, {kQuiet, kQuiet, kQuiet, kActive, 400});
    index.SetFolder(1, {kActive, kQuiet, kQuiet, kQuiet, kQuiet});
    index.SetFolder(2, {kQuiet, kNoActivity, kActive, kQuiet, kQuiet});
    const std::vector<ActivityEvent> events = index.Events();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].first, (FramePosition{0, 3}));
    EXPECT_EQ(events[0].last, (FramePosition{1, 0}));
    EXPECT_EQ(events[0].frames, 3);
    EXPECT_EQ(events[0].peak, 400);
    EXPECT_EQ(MomentText(events[0].start), "2024/06/15 09:59:58.00");
    EXPECT_EQ(events[1].first, (FramePosition{2, 2}));

    const struct {
        FramePosition from;
        std::optional<FramePosition> next;
        std::optional<FramePosition> previous;
    } steps[] = {
        {{0, 0}, FramePosition{0, 3}, std::nullopt},
        {{0, 3}, FramePosition{2, 2}, std::nullopt},  // on an event's first frame
        {{1, 2}, FramePosition{2, 2}, FramePosition{0, 3}},
        {{2, 2}, std::nullopt, FramePosition{0, 3}},
        {{2, 4}, std::nullopt, FramePosition{2, 2}},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(std::to_string(s.from.folder) + "/" + std::to_string(s.from.file));
        const std::optional<ActivityEvent> next = index.NextEvent(s.from);
        const std::optional<ActivityEvent> previous = index.PreviousEvent(s.from);
        ASSERT_EQ(next.has_value(), s.next.has_value());
        ASSERT_EQ(previous.has_value(), s.previous.has_value());
        if (next) {
            EXPECT_EQ(next->first, *s.next);
        }
        if (previous) {
            EXPECT_EQ(previous->first, *s.previous);
        }
    }
    EXPECT_EQ(index.ActivityAt({0, 4}), Activity{400});
    EXPECT_EQ(index.ActivityAt({2, 1}), std::nullopt);  // damaged
    EXPECT_EQ(index.ActivityAt({2, 5}), std::nullopt);  // no such frame
}

TEST_F(ActivityIndexTest, FoldersNotYetSetTakeNoPartAndAreSetOnce) {
    EXPECT_EQ(index.Events().size(), 0u);
    EXPECT_EQ(index.ActivityAt({1, 0}), std::nullopt);
    index.SetFolder(1, {kActive, kQuiet, kQuiet});  // not its count of frames: ignored
    index.SetFolder(7, {kActive});
    EXPECT_FALSE(index.FolderReady(1));
    index.SetFolder(2, {kActive, kQuiet, kQuiet, kQuiet, kQuiet});
    EXPECT_EQ(index.FoldersReady(), 1);
    ASSERT_EQ(index.Events().size(), 1u);
    index.SetFolder(2, {kQuiet, kQuiet, kQuiet, kQuiet, kQuiet});  // a second time: ignored
    EXPECT_EQ(index.ActivityAt({2, 0}), kActive);
    index.SetFolder(1, {kActive, kQuiet, kQuiet, kQuiet, kQuiet});
    ASSERT_EQ(index.Events().size(), 2u);  // made again once a folder is set
    EXPECT_EQ(index.NextEvent({0, 0})->first, (FramePosition{1, 0}));
}

TEST_F(ActivityIndexTest, FoldersSetOnWorkerThreadsWhileRead) {
    std::vector<std::thread> workers;
    for (std::int32_t folder = 0; folder < 3; ++folder) {
        workers.emplace_back([this, folder] {
            index.SetFolder(folder, {kActive, kQuiet, kQuiet, kQuiet, kQuiet});
        });
    }
    while (index.FoldersReady() < 3) {
        const std::size_t seen = index.Events().size();
        EXPECT_LE(seen, 3u);
        (void)index.NextEvent({0, 0});
    }
    for (std::thread& w : workers) {
        w.join();
    }
    EXPECT_EQ(index.Events().size(), 3u);
}

TEST_F(ActivityIndexTest, EventsWithinASpanCountTheFramesInsideAlone) {
    index.SetFolder(0, {kActive, kActive, kActive, kActive, kActive});
    const CaptureMoment second = timeline.TimeOf(0, 1).value();
    const CaptureMoment third = timeline.TimeOf(0, 2).value();
    const std::vector<ActivityEvent> events = index.Events(TimeSpan{second, third});
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].frames, 2);
    EXPECT_EQ(events[0].start, second);
}

}  // namespace
}  // namespace orvik
