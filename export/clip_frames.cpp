#include "export/clip_frames.h"

#include <algorithm>

namespace orvik {
namespace {

// Days from 2000/01/01 to the date, by the proleptic Gregorian calendar: the year is
// counted from March so that the leap day ends it (the civil-from-days method), and months
// beyond 1..12 or days beyond the month carry over.
std::int64_t DaysSince2000(std::int64_t year, std::int64_t month, std::int64_t day) {
    year += (month - 1) >= 0 ? (month - 1) / 12 : (month - 12) / 12;
    month = ((month - 1) % 12 + 12) % 12 + 1;
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    constexpr std::int64_t kDaysTo2000 = 730425;  // from 0000/03/01
    return era * 146097 + dayOfEra - kDaysTo2000;
}

}  // namespace

CaptureMoment MomentOf(std::int32_t dateKey, std::int32_t timeKey) {
    const std::int32_t yymmdd = dateKey / 100;
    const std::int64_t days =
        DaysSince2000(2000 + yymmdd / 10000, yymmdd / 100 % 100, yymmdd % 100);
    return days * kHundredthsPerDay + timeKey;
}

CaptureMoment MomentOf(const CaptureTime& time) {
    const std::int64_t days = DaysSince2000(time.year, time.month, time.day);
    return days * kHundredthsPerDay + std::int64_t{time.hour} * kHundredthsPerHour +
           time.minute * kHundredthsPerMinute + time.second * kHundredthsPerSecond +
           time.hundredths;
}

std::vector<ClipFrame> ChooseClipFrames(std::span<const RecordedFrame> frames,
                                        const ClipRange& range) {
    std::vector<ClipFrame> chosen;
    for (const RecordedFrame& frame : frames) {
        const CaptureMoment moment = MomentOf(frame.dateKey, frame.timeKey);
        if ((!range.from || moment >= *range.from) && (!range.to || moment <= *range.to)) {
            chosen.push_back({frame.path, moment});
        }
    }
    std::stable_sort(chosen.begin(), chosen.end(),
                     [](const ClipFrame& a, const ClipFrame& b) { return a.moment < b.moment; });
    return chosen;
}

}  // namespace orvik
