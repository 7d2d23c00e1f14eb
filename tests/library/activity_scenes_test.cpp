// Activity and events on recordings made on the fly: what is activity (an object of 1 % of
// the picture, 40 levels apart, appearing, moving, leaving) and what is not (noise, a change
// of the whole picture's brightness by 25 levels, motion outside the region), at the default
// threshold, measured with one decoding thread and with three alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "library/activity_events.h"
#include "library/activity_measure.h"
#include "tests/library/activity_scenes.h"

namespace orvik {
namespace {

using test::GreyPicture;
using test::kSceneRate;

constexpr int kFrames = 40;  // ten seconds
constexpr int kNoise = 12;   // levels either way, on every pixel of every frame

// A box of 1 % of a 640 x 480 picture (56 x 55 = 3080 pixels), 40 levels brighter.
constexpr int kBoxWidth = 56;
constexpr int kBoxHeight = 55;
constexpr int kBoxLevels = 40;

GreyPicture NoisyStill(int i) {
    GreyPicture p = test::StillScene();
    test::AddNoise(p, static_cast<std::uint32_t>(i), kNoise);
    return p;
}

// The box crosses from the left edge at frame 12 to the right at frame 27, 40 pixels a frame,
// at height y.
GreyPicture Crossing(int i, int y) {
    GreyPicture p = NoisyStill(i);
    if (i >= 12 && i <= 27) {
        test::DrawBox(p, 3 + 40 * (i - 12), y, kBoxWidth, kBoxHeight, kBoxLevels);
    }
    return p;
}

// The box stands at one place for frames [from, from + 4) and at another for [second,
// second + 4).
GreyPicture TwoAppearances(int i, int second) {
    GreyPicture p = NoisyStill(i);
    if (i >= 8 && i < 12) {
        test::DrawBox(p, 101, 83, kBoxWidth, kBoxHeight, -kBoxLevels);
    }
    if (i >= second && i < second + 4) {
        test::DrawBox(p, 405, 301, kBoxWidth, kBoxHeight, kBoxLevels);
    }
    return p;
}

GreyPicture BrightnessStep(int i) {
    GreyPicture p = NoisyStill(i);
    test::AddLevels(p, i >= 15 && i < 30 ? 25 : 0);
    return p;
}

CaptureMoment FrameMoment(const std::vector<RecordedFrame>& frames, int i) {
    return frames[static_cast<std::size_t>(i)].moment;
}

struct Scene {
    std::string name;
    GreyPicture (*picture)(int i);
    std::optional<PixelRegion> region;
    // Each event's first and last active frame lie within a second of these frames.
    std::vector<std::pair<int, int>> events;
};

TEST(ActivityScenes, EventsAreWhereSomethingHappensAndNowhereElse) {
    const PixelRegion topHalf{0, 0, 640, 240};
    const PixelRegion bottomHalf{0, 240, 640, 240};
    const Scene scenes[] = {
        {"a still scene with noise", NoisyStill, std::nullopt, {}},
        {"a brightness step up and back", BrightnessStep, std::nullopt, {}},
        {"an object crossing", [](int i) { return Crossing(i, 201); }, std::nullopt, {{12, 27}}},
        {"two appearances 1.5 s apart",
         [](int i) { return TwoAppearances(i, 17); },
         std::nullopt,
         {{8, 20}}},
        {"two appearances 3 s apart",
         [](int i) { return TwoAppearances(i, 23); },
         std::nullopt,
         {{8, 11}, {23, 26}}},
        {"a crossing outside the region", [](int i) { return Crossing(i, 61); }, bottomHalf, {}},
        {"a crossing inside the region",
         [](int i) { return Crossing(i, 61); },
         topHalf,
         {{12, 27}}},
    };
    for (const Scene& scene : scenes) {
        SCOPED_TRACE(scene.name);
        test::TempTree tree;
        const std::vector<RecordedFrame> frames = test::WriteScene(tree, kFrames, scene.picture);
        const ActivitySettings settings{scene.region};
        const MeasuredActivity one = MeasureActivity(frames, settings, 1);
        EXPECT_EQ(MeasureActivity(frames, settings, 3).activity, one.activity);
        EXPECT_EQ(one.refused, 0);

        EventFinder finder(kDefaultActivityThreshold);
        for (std::size_t i = 0; i < frames.size(); ++i) {
            finder.Add(frames[i].moment, one.activity[i], {0, static_cast<std::int32_t>(i)});
        }
        const std::vector<ActivityEvent> events = finder.Finish();
        ASSERT_EQ(events.size(), scene.events.size());
        for (std::size_t e = 0; e < events.size(); ++e) {
            const auto [first, last] = scene.events[e];
            EXPECT_LE(std::abs(events[e].start - FrameMoment(frames, first)), 100)
                << "have " << MomentText(events[e].start) << ", want about "
                << MomentText(FrameMoment(frames, first));
            EXPECT_LE(std::abs(events[e].end - FrameMoment(frames, last)), 100)
                << "have " << MomentText(events[e].end) << ", want about "
                << MomentText(FrameMoment(frames, last));
            EXPECT_GT(events[e].peak, kDefaultActivityThreshold);
        }
        if (scene.events.empty()) {
            // Not near the threshold either: room for noisier footage.
            const Activity peak = *std::max_element(one.activity.begin(), one.activity.end());
            EXPECT_LE(peak, kDefaultActivityThreshold / 2) << "peak " << peak;
        }
    }
}

TEST(ActivityScenes, RefusedFramesHaveNoActivityAndAreCounted) {
    test::TempTree tree;
    std::vector<RecordedFrame> frames = test::WriteScene(tree, 8, NoisyStill);
    tree.WriteFile("24061509/CAM109000051.JPG", 600);  // a header naming no picture size
    frames.insert(frames.begin() + 2, {tree.Path("24061509/CAM109000051.JPG"), frames[2].moment});
    frames.push_back({tree.Path("24061509/gone.JPG"), frames.back().moment + 25});
    const MeasuredActivity measured = MeasureActivity(frames, {}, 2);
    ASSERT_EQ(measured.activity.size(), frames.size());
    EXPECT_EQ(measured.refused, 2);
    EXPECT_EQ(measured.activity[2], kNoActivity);
    EXPECT_EQ(measured.activity.back(), kNoActivity);
    EXPECT_EQ(measured.activity[3], 0);
}

}  // namespace
}  // namespace orvik
