// Events from frames' activities: runs of active frames joined across quiet stretches of up
// to 2 s, frames without activity neither starting nor breaking one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library/activity_events.h"

namespace orvik {
namespace {

constexpr Activity kQuiet = 10;
constexpr Activity kActive = 300;
constexpr Activity kThreshold = 50;

struct Frame {
    CaptureMoment moment;
    Activity activity;
};

struct Want {
    CaptureMoment start;
    CaptureMoment end;
    std::int64_t frames;
    Activity peak;
};

TEST(ActivityEvents, RunsOfActiveFramesJoinAcrossShortQuietStretches) {
    const struct {
        std::string name;
        std::vector<Frame> frames;
        std::vector<Want> events;
    } cases[] = {
        {"quiet footage", {{0, kQuiet}, {100, 0}, {200, kQuiet}}, {}},
        {"at the threshold is not above it", {{0, kThreshold}, {100, kThreshold}}, {}},
        {"one run",
         {{0, kQuiet}, {25, kActive}, {50, 400}, {75, kActive}, {100, kQuiet}},
         {{25, 75, 3, 400}}},
        {"a quiet stretch of 2 s joins",
         {{0, kActive}, {100, kQuiet}, {200, 120}},
         {{0, 200, 3, kActive}}},
        {"one of 2.01 s splits",
         {{0, kActive}, {100, kQuiet}, {201, 120}},
         {{0, 0, 1, kActive}, {201, 201, 1, 120}}},
        {"a damaged frame inside neither breaks nor counts",
         {{0, kActive}, {100, kNoActivity}, {150, kActive}},
         {{0, 150, 2, kActive}}},
        {"a damaged frame alone starts nothing",
         {{0, kQuiet}, {100, kNoActivity}, {500, kQuiet}},
         {}},
        {"a run of damaged frames does not bridge a gap",
         {{0, kActive}, {100, kNoActivity}, {200, kNoActivity}, {300, kActive}},
         {{0, 0, 1, kActive}, {300, 300, 1, kActive}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EventFinder finder(kThreshold);
        std::int64_t damaged = 0;
        for (std::size_t i = 0; i < c.frames.size(); ++i) {
            finder.Add(c.frames[i].moment, c.frames[i].activity, {1, static_cast<std::int32_t>(i)});
            damaged += c.frames[i].activity == kNoActivity ? 1 : 0;
        }
        EXPECT_EQ(finder.FramesWithoutActivity(), damaged);
        const std::vector<ActivityEvent> events = finder.Finish();
        ASSERT_EQ(events.size(), c.events.size());
        for (std::size_t e = 0; e < events.size(); ++e) {
            EXPECT_EQ(events[e].start, c.events[e].start);
            EXPECT_EQ(events[e].end, c.events[e].end);
            EXPECT_EQ(events[e].frames, c.events[e].frames);
            EXPECT_EQ(events[e].peak, c.events[e].peak);
            EXPECT_EQ(events[e].first.folder, 1);
        }
    }
}

}  // namespace
}  // namespace orvik
