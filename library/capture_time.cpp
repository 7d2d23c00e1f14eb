// The calendar under the capture moments, and the time texts.
#include "library/capture_time.h"

#include <cstdio>

#include "library/name_keys.h"

namespace orvik {
namespace {

// Division rounding towards minus infinity, so that moments before 2000 (a month 00 of year
// 00, a negative key) still fall on the right day.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

// The days-from-civil method (H. Hinnant) counts years from March 1, so that the leap day
// ends them, in eras of 400 years; day 0 is 0000/03/01, which lies this many days before
// 2000/01/01.
constexpr std::int64_t kDaysInEra = 146097;
constexpr std::int64_t kEpochTo2000 = 730425;

// Days from 2000/01/01 to a date of the proleptic Gregorian calendar. Months beyond 1..12
// carry into the years around, and days beyond the month run on into the months around.
std::int64_t DaysFrom2000(std::int64_t year, std::int64_t month, std::int64_t day) {
    const std::int64_t yearsCarried = FloorDiv(month - 1, 12);
    year += yearsCarried;
    month -= yearsCarried * 12;
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = FloorDiv(year, 400);
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * kDaysInEra + dayOfEra - kEpochTo2000;
}

struct CivilDate {
    std::int64_t year;
    std::int64_t month;  // 1..12
    std::int64_t day;    // 1..31
};

// The date a number of days after 2000/01/01 (before it, when negative): DaysFrom2000's
// inverse.
CivilDate DateFrom2000(std::int64_t days) {
    days += kEpochTo2000;
    const std::int64_t era = FloorDiv(days, kDaysInEra);
    const std::int64_t dayOfEra = days - era * kDaysInEra;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;  // 0 is March
    const std::int64_t day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const std::int64_t month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

}  // namespace

CaptureMoment MomentOf(std::int32_t dateKey, std::int32_t timeKey) {
    const std::int64_t days =
        DaysFrom2000(2000 + dateKey / 1000000, dateKey / 10000 % 100, dateKey / 100 % 100);
    return days * kHundredthsPerDay + timeKey;
}

CaptureMoment MomentOf(const CaptureTime& time) {
    const std::int64_t days = DaysFrom2000(time.year, time.month, time.day);
    return days * kHundredthsPerDay + std::int64_t{time.hour} * kHundredthsPerHour +
           std::int64_t{time.minute} * kHundredthsPerMinute +
           std::int64_t{time.second} * kHundredthsPerSecond + time.hundredths;
}

CaptureTime TimeAtMoment(CaptureMoment moment) {
    const std::int64_t days = FloorDiv(moment, kHundredthsPerDay);
    const auto ofDay = static_cast<int>(moment - days * kHundredthsPerDay);
    const CivilDate date = DateFrom2000(days);
    return CaptureTime{static_cast<int>(date.year),       static_cast<int>(date.month),
                       static_cast<int>(date.day),        ofDay / kHundredthsPerHour,
                       ofDay / kHundredthsPerMinute % 60, ofDay / kHundredthsPerSecond % 60,
                       ofDay % kHundredthsPerSecond};
}

std::string MomentText(CaptureMoment moment) {
    const std::int64_t days = FloorDiv(moment, kHundredthsPerDay);
    const CivilDate date = DateFrom2000(days);
    // The year is printed whole, however far a moment lies (a text for every moment).
    char text[96];  // room for any year and for the widest ints the compiler assumes
    std::snprintf(text, sizeof text, "%04lld/%02d/%02d ", static_cast<long long>(date.year),
                  static_cast<int>(date.month), static_cast<int>(date.day));
    return text + TimeOfDayText(static_cast<std::int32_t>(moment - days * kHundredthsPerDay));
}

std::string TimeOfDayText(std::int32_t timeKey) {
    const std::int32_t hours = timeKey / kHundredthsPerHour;
    const std::int32_t minutes = timeKey % kHundredthsPerHour / kHundredthsPerMinute;
    const std::int32_t hundredths = timeKey % kHundredthsPerMinute;
    char text[24];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%02d", static_cast<int>(hours),
                  static_cast<int>(minutes), static_cast<int>(hundredths / kHundredthsPerSecond),
                  static_cast<int>(hundredths % kHundredthsPerSecond));
    return text;
}

std::string FrameTimeText(const char* folderName, std::int32_t timeKey) {
    char date[11];
    WriteDateText(date, sizeof date, folderName);
    return std::string(date) + " " + TimeOfDayText(timeKey);
}

}  // namespace orvik
