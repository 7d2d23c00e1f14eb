// The capture-time module: the calendar under the moments, the texts shown, and the
// readers of names and typed text, with the one fact the export leans on: where a frame's
// names spell a real time, its keys' moment is that very time.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "library/capture_time.h"
#include "library/name_keys.h"
#include "tests/library/library_fixtures.h"

namespace orvik {
namespace {

using test::TimeOfDay;

constexpr std::int64_t kDay = kHundredthsPerDay;

TEST(CaptureMoment, CountsFromTheFirstOf2000AndCarriesOddKeysOverAsACalendarDoes) {
    struct Case {
        std::int32_t dateKey;
        std::int32_t timeKey;
        CaptureMoment moment;
        const char* text;
    };
    const Case cases[] = {
        {10100, 0, 0, "2000/01/01 00:00:00.00"},
        {24061509, TimeOfDay(9, 0, 5, 1), 8932 * kDay + TimeOfDay(9, 0, 5, 1),
         "2024/06/15 09:00:05.01"},
        {24022923, TimeOfDay(23, 59, 59, 99), 8825 * kDay + TimeOfDay(23, 59, 59, 99),
         "2024/02/29 23:59:59.99"},
        {24061509, TimeOfDay(25, 0, 0), 8933 * kDay + TimeOfDay(1, 0, 0), "2024/06/16 01:00:00.00"},
        {24130100, 0, 9132 * kDay, "2025/01/01 00:00:00.00"},      // month 13
        {24030000, 0, 8825 * kDay, "2024/02/29 00:00:00.00"},      // day 0
        {4161, TimeOfDay(1, 0, 0), 9 * kDay + TimeOfDay(1, 0, 0),  // month 0, day 41
         "2000/01/10 01:00:00.00"},
        {1000, 0, -22 * kDay, "1999/12/10 00:00:00.00"},
        // Digits whose sum wrapped negative: year 1999, month 0, day 0, a hundredth early.
        {-1000000, -1, -397 * kDay - 1, "1998/11/29 23:59:59.99"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MomentOf(c.dateKey, c.timeKey), c.moment) << c.text;
        EXPECT_EQ(MomentText(c.moment), c.text);
    }
}

TEST(CaptureMoment, RunsOnAcrossDaysMonthsAndYears) {
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
    EXPECT_EQ(MomentOf(CaptureTime{2024, 13, 1}), MomentOf(CaptureTime{2025, 1, 1}));
    EXPECT_EQ(MomentOf(CaptureTime{2024, -11, 1}), MomentOf(CaptureTime{2023, 1, 1}));
}

// The next day by the rules a calendar states: the oracle the moments are held to.
CaptureTime NextDay(CaptureTime date) {
    const bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
    const int monthDays[12] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (++date.day > monthDays[date.month - 1]) {
        date.day = 1;
        if (++date.month > 12) {
            date.month = 1;
            ++date.year;
        }
    }
    return date;
}

TEST(CaptureMoment, DaysFollowTheCalendarForFourHundredYearsEitherSideOf2000) {
    CaptureTime date{1800, 1, 1};
    CaptureMoment day = MomentOf(date);
    EXPECT_EQ(day, -73048 * kDay);  // 200 years of 365 days and 48 leap days
    for (int i = 0; i < 2 * 146097; ++i, day += kDay, date = NextDay(date)) {
        CaptureTime time = date;
        // A different time each day.
        const auto ofDay = static_cast<std::int32_t>(std::int64_t{i} * 7919 % kHundredthsPerDay);
        time.hour = ofDay / kHundredthsPerHour;
        time.minute = ofDay / kHundredthsPerMinute % 60;
        time.second = ofDay / kHundredthsPerSecond % 60;
        time.hundredths = ofDay % kHundredthsPerSecond;
        ASSERT_EQ(TimeAtMoment(day + ofDay), time) << MomentText(day + ofDay);
        ASSERT_EQ(MomentOf(time), day + ofDay) << MomentText(day + ofDay);
    }
    EXPECT_EQ(date, (CaptureTime{2600, 1, 1}));
}

TEST(CaptureTimeTexts, TimeOfDayKeepsTheHoursOfAKeyAndTheFrameTextTheFolderNamesDate) {
    EXPECT_EQ(TimeOfDayText(0), "00:00:00.00");
    EXPECT_EQ(TimeOfDayText(TimeOfDay(23, 59, 59, 99)), "23:59:59.99");
    EXPECT_EQ(TimeOfDayText(TimeOfDay(99, 99, 99, 99)), "100:40:39.99");  // "99" in a name
    EXPECT_EQ(TimeOfDayText(TimeOfDay(99, 0, 0)), "99:00:00.00");
    EXPECT_EQ(FrameTimeText("24061509", TimeOfDay(9, 0, 5, 1)), "2024/06/15 09:00:05.01");
    // The date comes from the name's characters, not from its key.
    EXPECT_EQ(FrameTimeText("24133109_x", TimeOfDay(9, 0, 0)), "2024/13/31 09:00:00.00");
    EXPECT_EQ(FrameTimeText("2a06", TimeOfDay(1, 2, 3)), "202a/06/ 01:02:03.00");
}

TEST(CaptureTimeReading, TypedDatesAndTimesOnlyWhenReal) {
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
             Typed{"2024/00/10 12:00:00", false, 0},
             Typed{"2024/04/31 12:00:00", false, 0},
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

TEST(CaptureTimeReading, NamesThatSpellARealTimeGiveTheMomentOfTheirKeys) {
    struct Names {
        const char* folder;
        const char* file;
        std::optional<CaptureTime> time;
    };
    const Names cases[] = {
        {"24061509", "CAM109000501.JPG", CaptureTime{2024, 6, 15, 9, 0, 5, 1}},
        {"24022923_b", "cam123595999.jpg", CaptureTime{2024, 2, 29, 23, 59, 59, 99}},
        {"00010100", "CAM100000000.JPG", CaptureTime{2000, 1, 1, 0, 0, 0, 0}},
        {"24061509", "CAM110000000.JPG", CaptureTime{2024, 6, 15, 10, 0, 0, 0}},  // file's hour
        {"23022912", "CAM112000000.JPG", std::nullopt},  // no leap day in 2023
        {"24133109", "CAM109000000.JPG", std::nullopt},  // month 13
        {"24061524", "CAM109000000.JPG", std::nullopt},  // folder hour 24
        {"2406150", "CAM109000000.JPG", std::nullopt},   // no folder hour
        {"24061509", "CAM124000000.JPG", std::nullopt},
        {"24061509", "CAM109600000.JPG", std::nullopt},
        {"24061509", "CAM10a000000.JPG", std::nullopt},
        {"24061509", "CAM10900000", std::nullopt},  // no hundredths
    };
    for (const Names& c : cases) {
        SCOPED_TRACE(std::string(c.folder) + "/" + c.file);
        const std::optional<CaptureTime> time = CaptureTimeOfFrame(c.folder, c.file);
        EXPECT_EQ(time, c.time);
        if (time) {
            const CaptureMoment moment = MomentOf(DateKeyOfName(c.folder), TimeKeyOfName(c.file));
            EXPECT_EQ(TimeAtMoment(moment), *time);
        }
    }
    EXPECT_EQ(CaptureTimeOfPath("/rec/24061509/./CAM109000501.JPG"),
              (CaptureTime{2024, 6, 15, 9, 0, 5, 1}));
    EXPECT_EQ(CaptureTimeOfPath("/rec/24061509/x/../CAM109000501.JPG"),
              (CaptureTime{2024, 6, 15, 9, 0, 5, 1}));
    EXPECT_EQ(CaptureTimeOfPath("CAM109000501.JPG"), std::nullopt);  // the test's own folder
}

}  // namespace
}  // namespace orvik
