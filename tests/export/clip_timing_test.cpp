// The clip's frames and time line: the frames a range of capture moments takes, and the
// rules that turn their moments into the stream's ticks (speed, closed gaps, frames dropped
// when they would share a tick or come too fast for the codec).
#include <gtest/gtest.h>

#include <utility>
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
    std::vector<std::pair<std::size_t, std::int64_t>> kept;  // frame index, ticks
};

class PlanClipTimesTest : public ::testing::TestWithParam<TimingCase> {};

TEST_P(PlanClipTimesTest, KeepsTheFramesAtTheirTicks) {
    std::vector<ClipFrame> frames;
    for (const CaptureMoment moment : GetParam().moments) {
        frames.push_back({"frame", MomentOf(24061509, 0) + moment});
    }
    std::vector<std::pair<std::size_t, std::int64_t>> kept;
    for (const TimedFrame& frame : PlanClipTimes(frames, GetParam().timing)) {
        kept.emplace_back(frame.index, frame.ticks);
    }
    EXPECT_EQ(kept, GetParam().kept);
}

constexpr ClipTiming kRealTime{1, false, 1000, 0};
constexpr ClipTiming kClosingGaps{1, true, 1000, 0};

INSTANTIATE_TEST_SUITE_P(
    Cases, PlanClipTimesTest,
    ::testing::Values(
        TimingCase{
            "GapsStay", {0, 10, 20, 520}, kRealTime, {{0, 0}, {1, 100}, {2, 200}, {3, 5200}}},
        TimingCase{"GapsCloseToThePaceBefore",
                   {0, 20, 40, 540, 560},
                   kClosingGaps,
                   {{0, 0}, {1, 200}, {2, 400}, {3, 600}, {4, 800}}},
        TimingCase{"AGapAtTheStartClosesToATenth",
                   {0, 500, 510},
                   kClosingGaps,
                   {{0, 0}, {1, 100}, {2, 200}}},
        TimingCase{"APauseOfTwoSecondsIsNoGap", {0, 200}, kClosingGaps, {{0, 0}, {1, 2000}}},
        TimingCase{"SpeedRoundsHalvesUp",
                   {0, 1, 2, 3, 4, 5},
                   {4, false, 1000, 0},
                   {{0, 0}, {1, 3}, {2, 5}, {3, 8}, {4, 10}, {5, 13}}},
        TimingCase{"SpeedAndClosedGaps",
                   {0, 50, 100, 1100, 1150},
                   {2, true, 1000, 0},
                   {{0, 0}, {1, 250}, {2, 500}, {3, 750}, {4, 1000}}},
        TimingCase{"FramesOfOneTickAreDropped", {0, 0, 1}, kRealTime, {{0, 0}, {2, 10}}},
        TimingCase{"HundredthTicksAtSpeed3", {0, 1, 2, 3}, {3, false, 100, 0}, {{0, 0}, {2, 1}}},
        TimingCase{"NoCloserThanASixtieth",
                   {0, 10, 20, 30, 40, 45},
                   {10, false, 1000, 60},
                   {{0, 0}, {2, 20}, {4, 40}}},
        TimingCase{"OneFrame", {7}, kRealTime, {{0, 0}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvik
