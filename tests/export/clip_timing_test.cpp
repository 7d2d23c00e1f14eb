// The clip's time line and the calendar under it: capture moments across days, months and
// years, and the rules that turn them into the stream's ticks (speed, closed gaps, frames
// dropped when they would share a tick or come too fast for the codec).
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "export/clip_timing.h"

namespace orvik {
namespace {

TEST(CaptureMomentTest, RunsOnAcrossDaysMonthsAndYears) {
    constexpr std::int32_t kLastHundredth = kHundredthsPerDay - 1;
    EXPECT_EQ(MomentOf(24022823, kLastHundredth) + 1, MomentOf(24022900, 0));  // leap day
    EXPECT_EQ(MomentOf(24022923, kLastHundredth) + 1, MomentOf(24030100, 0));
    EXPECT_EQ(MomentOf(23022823, kLastHundredth) + 1, MomentOf(23030100, 0));
    EXPECT_EQ(MomentOf(23123123, kLastHundredth) + 1, MomentOf(24010100, 0));
    EXPECT_EQ(MomentOf(99123123, kLastHundredth) - MomentOf(1010100, 0),
              (99 * 365 + 24) * std::int64_t{kHundredthsPerDay} - 1);  // 2001..2099: 24 leap years
    EXPECT_EQ(MomentOf(CaptureTime{2024, 3, 1, 12, 34, 56, 78}),
              MomentOf(24030112, 12 * 360000 + 34 * 6000 + 5678));
    // Not a calendar date: month 13 carries into the next year.
    EXPECT_EQ(MomentOf(24130100, 0), MomentOf(25010100, 0));
}

TEST(CaptureTimeTest, ReadsTypedDatesAndTimesOnlyWhenReal) {
    struct Typed {
        const char* text;
        bool real;
        int hundredths;  // when real
    };
    for (const Typed& typed : {
             Typed{"2024/02/29 23:59:59", true, 42},  // without .CC: the default given
             Typed{"2024/02/29 23:59:59.07", true, 7},
             Typed{"2000/01/01 00:00:00.00", true, 0},
             Typed{"2023/02/29 12:00:00", false, 0},  // no leap day in 2023
             Typed{"2100/01/01 12:00:00", false, 0},  // beyond the recordings' century
             Typed{"2024/13/01 12:00:00", false, 0},
             Typed{"2024/01/01 24:00:00", false, 0},
             Typed{"2024/01/01 12:00:00.5", false, 0},
             Typed{"2024-01-01 12:00:00", false, 0},
             Typed{"2024/1/01 12:00:00", false, 0},
         }) {
        SCOPED_TRACE(typed.text);
        const std::optional<CaptureTime> time = ParseCaptureTime(typed.text, 42);
        ASSERT_EQ(time.has_value(), typed.real);
        if (time) {
            EXPECT_EQ(time->hundredths, typed.hundredths);
        }
    }
}

TEST(ChooseClipFramesTest, OrdersByCaptureTimeAndTakesBothEnds) {
    // A folder's frames may run past the next folder's first: capture time decides.
    const std::vector<RecordedFrame> recorded = {
        {"a1", 24061509, 9 * 360000 + 100},
        {"a2", 24061509, 10 * 360000 + 100},
        {"b1", 24061510, 10 * 360000},
        {"b2", 24061510, 10 * 360000 + 100},
        {"c1", 24061600, 0},
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
