#include "testing/recording/recording_clock.h"

namespace orvik {
namespace {

struct DateHour {
    int year, month, day, hour;  // year within the century beginning 2000
};

DateHour Split(std::int32_t key) {
    return DateHour{key / 1000000, key / 10000 % 100, key / 100 % 100, key % 100};
}

int DaysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = year % 4 == 0;  // 2000 is a leap year; 2100 is outside the range
    return month == 2 && leap ? 29 : kDays[month - 1];
}

constexpr std::int32_t kHundredthsPerSecond = 100;

}  // namespace

bool IsDateHour(std::int32_t key) {
    if (key < 0 || key > 99123123) {
        return false;
    }
    const DateHour d = Split(key);
    return d.month >= 1 && d.month <= 12 && d.day >= 1 && d.day <= DaysInMonth(d.year, d.month) &&
           d.hour <= 23;
}

std::int32_t AddHours(std::int32_t key, int hours) {
    DateHour d = Split(key);
    for (int i = 0; i < hours; ++i) {
        if (++d.hour < 24) {
            continue;
        }
        d.hour = 0;
        if (++d.day <= DaysInMonth(d.year, d.month)) {
            continue;
        }
        d.day = 1;
        if (++d.month <= 12) {
            continue;
        }
        d.month = 1;
        d.year = (d.year + 1) % 100;
    }
    return d.year * 1000000 + d.month * 10000 + d.day * 100 + d.hour;
}

std::vector<std::int32_t> FolderFrameTimes(const RecordingOptions& options) {
    std::vector<std::int32_t> times;
    const int period = options.gapEvery + options.gapSeconds;
    const std::int64_t frames = std::int64_t{options.seconds} * options.rate;
    for (std::int64_t i = 0; i < frames; ++i) {
        const auto t = static_cast<std::int32_t>(i * kHundredthsPerSecond / options.rate);
        const bool inGap =
            options.gapEvery > 0 && t / kHundredthsPerSecond % period >= options.gapEvery;
        if (!inGap) {
            times.push_back(t);
        }
    }
    return times;
}

}  // namespace orvik
