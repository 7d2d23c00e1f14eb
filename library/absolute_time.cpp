#include "library/absolute_time.h"

#include <cstdio>

#include "library/time_of_day.h"

namespace orvik {
namespace {

// Division and remainder rounding towards minus infinity, so that times before 2000 (a
// month 00 of year 00) still fall on the right day.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

std::int64_t FloorMod(std::int64_t a, std::int64_t b) {
    return a - FloorDiv(a, b) * b;
}

// Days from 1970/01/01 to a date of the proleptic Gregorian calendar (month 1..12), by eras
// of 400 years that start on March 1 (H. Hinnant's days_from_civil).
std::int64_t DaysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = FloorDiv(year, 400);
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

struct CivilDate {
    std::int64_t year;
    std::int64_t month;
    std::int64_t day;
};

// The inverse of DaysFromCivil.
CivilDate CivilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = FloorDiv(days, 146097);
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;  // 0 is March
    const std::int64_t day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const std::int64_t month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

const std::int64_t kDaysBefore2000 = DaysFromCivil(2000, 1, 1);

}  // namespace

std::int64_t AbsoluteTime(std::int32_t dateKey, std::int32_t timeKey) {
    const std::int64_t year = 2000 + dateKey / 1000000;
    const std::int64_t monthsFromJanuary = dateKey / 10000 % 100 - 1;
    const std::int64_t day = dateKey / 100 % 100;
    const std::int64_t firstOfMonth = DaysFromCivil(year + FloorDiv(monthsFromJanuary, 12),
                                                    FloorMod(monthsFromJanuary, 12) + 1, 1);
    return (firstOfMonth + day - 1 - kDaysBefore2000) * kHundredthsPerDay + timeKey;
}

std::string DateTimeText(std::int64_t time) {
    const std::int64_t days = FloorDiv(time, kHundredthsPerDay);
    const std::int64_t ofDay = time - days * kHundredthsPerDay;
    const CivilDate date = CivilFromDays(days + kDaysBefore2000);
    const auto part = [](std::int64_t value) { return static_cast<int>(value); };  // < 100
    char text[96];  // room for any year and for the widest ints the compiler assumes
    std::snprintf(text, sizeof text, "%04lld/%02d/%02d %02d:%02d:%02d.%02d",
                  static_cast<long long>(date.year), part(date.month), part(date.day),
                  part(ofDay / kHundredthsPerHour), part(ofDay / kHundredthsPerMinute % 60),
                  part(ofDay / kHundredthsPerSecond % 60), part(ofDay % kHundredthsPerSecond));
    return text;
}

}  // namespace orvik
