// The clip's frames and time line: the frames a range of capture moments takes, and the
// rules that turn their moments into the stream's ticks (speed, closed gaps, frames dropped
// when they would share a tick or come too fast for the codec) and give each frame the
// time it shows for when it ends the clip.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "export/clip_timing.h"

namespace orvik {
namespace {

TEST(ChooseClipFramesTest, OrdersByCaptureTimeAndTakesBothEnds) {
    // A folder's frames may run past the next folder's first: capture time decides.
    const std::vector<RecordedFrame> recorded = {
        {"a1", MomentOf(24061509, 9 * 360000 + 100)},
        {"a2", MomentOf(24061509, 10 * 360000 + 100)},
        {"b1", MomentOf(24061510, 10 * 360000)},
        {"b2", MomentOf(24061510, 10 * 360000 + 100)},
        {"c1", MomentOf(24061600, 0)},
    };
    std::vector<std::string> chosen;
    const ClipRange range{MomentOf(24061509, 9 * 360000 + 100), MomentOf(24061600, 0)};
    for (const ClipFrame& frame : ChooseClipFrames(recorded, range)) {
        chosen.push_back(frame.path);
    }
    EXPECT_EQ(chosen, (std::vector<std::string>{"a1", "b1", "a2", "b2", "c1"}));
    EXPECT_EQ(
        ChooseClipFrames(recorded, {MomentOf(24061509, 10 * 360000 + 1), std::nullopt}).size(), 3u);
}

struct TimingCase {
    const char* name;
    std::vector<CaptureMoment> moments;
    ClipTiming timing;
    std::vector<std::tuple<std::size_t, std::int64_t, std::int64_t>> kept;  // index, ticks, pace
};

class PlanClipTimesTest : public ::testing::TestWithParam<TimingCase> {};

TEST_P(PlanClipTimesTest, KeepsTheFramesAtTheirTicks) {
    std::vector<ClipFrame> frames;
    for (const CaptureMoment moment : GetParam().moments) {
        frames.push_back({"frame", MomentOf(24061509, 0) + moment});
    }
    std::vector<std::tuple<std::size_t, std::int64_t, std::int64_t>> kept;
    for (const TimedFrame& frame : PlanClipTimes(frames, GetParam().timing)) {
        kept.emplace_back(frame.index, frame.ticks, frame.pace);
    }
    EXPECT_EQ(kept, GetParam().kept);
}

constexpr ClipTiming kRealTime{1, false, 1000, 0};
constexpr ClipTiming kClosingGaps{1, true, 1000, 0};

// A pace of 100 ticks at a frame with none before it is 0.1 s, the default.
INSTANTIATE_TEST_SUITE_P(
    Cases, PlanClipTimesTest,
    ::testing::Values(
        TimingCase{"GapsStay",
                   {0, 10, 20, 520},
                   kRealTime,
                   {{0, 0, 100}, {1, 100, 100}, {2, 200, 100}, {3, 5200, 100}}},
        TimingCase{"GapsCloseToThePaceBefore",
                   {0, 20, 40, 540, 560},
                   kClosingGaps,
                   {{0, 0, 100}, {1, 200, 200}, {2, 400, 200}, {3, 600, 200}, {4, 800, 200}}},
        TimingCase{"AGapAtTheStartClosesToATenth",
                   {0, 500, 510},
                   kClosingGaps,
                   {{0, 0, 100}, {1, 100, 100}, {2, 200, 100}}},
        TimingCase{
            "APauseOfTwoSecondsIsNoGap", {0, 200}, kClosingGaps, {{0, 0, 100}, {1, 2000, 2000}}},
        TimingCase{
            "AFrameAfterAGapShowsAtThePaceBeforeIt",
            {0, 50, 100, 10100, 10120},
            kRealTime,
            {{0, 0, 100}, {1, 500, 500}, {2, 1000, 500}, {3, 101000, 500}, {4, 101200, 200}}},
        TimingCase{"SpeedRoundsHalvesUp",
                   {0, 1, 2, 3, 4, 5},
                   {4, false, 1000, 0},
                   {{0, 0, 25}, {1, 3, 3}, {2, 5, 2}, {3, 8, 3}, {4, 10, 2}, {5, 13, 3}}},
        TimingCase{"SpeedAndClosedGaps",
                   {0, 50, 100, 1100, 1150},
                   {2, true, 1000, 0},
                   {{0, 0, 50}, {1, 250, 250}, {2, 500, 250}, {3, 750, 250}, {4, 1000, 250}}},
        TimingCase{"FramesOfOneTickAreDropped", {0, 0, 1}, kRealTime, {{0, 0, 100}, {2, 10, 10}}},
        TimingCase{
            "HundredthTicksAtSpeed3", {0, 1, 2, 3}, {3, false, 100, 0}, {{0, 0, 3}, {2, 1, 1}}},
        TimingCase{"NoCloserThanASixtieth",
                   {0, 10, 20, 30, 40, 45},
                   {10, false, 1000, 60},
                   {{0, 0, 10}, {2, 20, 20}, {4, 40, 20}}},
        TimingCase{"APaceIsAtLeastATick", {0}, {100000, false, 100, 0}, {{0, 0, 1}}},
        TimingCase{"OneFrame", {7}, kRealTime, {{0, 0, 100}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvik
