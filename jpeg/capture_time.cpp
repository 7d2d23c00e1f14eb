#include "jpeg/capture_time.h"

#include <cstdio>
#include <filesystem>

#include "library/time_of_day.h"

namespace orvik {
namespace {

constexpr std::size_t kFileTimeAt = 4;  // HHMMSSCC follows the recorder's four-letter prefix

// The two-digit number at text[at], or -1 when either character is not a digit.
int TwoDigits(std::string_view text, std::size_t at) {
    if (at + 2 > text.size()) {
        return -1;
    }
    const char high = text[at];
    const char low = text[at + 1];
    if (high < '0' || high > '9' || low < '0' || low > '9') {
        return -1;
    }
    return (high - '0') * 10 + (low - '0');
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsTimeOfDay(const CaptureTime& time) {
    return time.hour >= 0 && time.hour < 24 && time.minute >= 0 && time.minute < 60 &&
           time.second >= 0 && time.second < 60 && time.hundredths >= 0;
}

bool IsRealDate(const CaptureTime& time) {
    return time.month >= 1 && time.month <= 12 && time.day >= 1 &&
           time.day <= DaysInMonth(time.year, time.month);
}

}  // namespace

std::optional<CaptureTime> CaptureTimeOfFrame(std::string_view folderName,
                                              std::string_view fileName) {
    const int yy = TwoDigits(folderName, 0);
    const int folderHour = TwoDigits(folderName, 6);  // a date folder's name has all eight
    CaptureTime time;
    time.year = 2000 + yy;
    time.month = TwoDigits(folderName, 2);
    time.day = TwoDigits(folderName, 4);
    time.hour = TwoDigits(fileName, kFileTimeAt);
    time.minute = TwoDigits(fileName, kFileTimeAt + 2);
    time.second = TwoDigits(fileName, kFileTimeAt + 4);
    time.hundredths = TwoDigits(fileName, kFileTimeAt + 6);
    if (yy < 0 || folderHour < 0 || folderHour >= 24 || !IsRealDate(time) || !IsTimeOfDay(time)) {
        return std::nullopt;
    }
    return time;
}

std::optional<CaptureTime> CaptureTimeOfPath(const std::string& framePath) {
    std::error_code error;
    const std::filesystem::path path =
        std::filesystem::absolute(framePath, error).lexically_normal();
    return CaptureTimeOfFrame(path.parent_path().filename().string(), path.filename().string());
}

std::optional<CaptureTime> ParseCaptureTime(std::string_view text, int defaultHundredths) {
    constexpr std::string_view kPattern = "2099/99/99 99:99:99.99";  // 9: any digit
    constexpr std::size_t kWithoutHundredths = 19;
    if (text.size() != kPattern.size() && text.size() != kWithoutHundredths) {
        return std::nullopt;
    }
    for (std::size_t at = 0; at < text.size(); ++at) {
        const bool digit = text[at] >= '0' && text[at] <= '9';
        if (kPattern[at] == '9' ? !digit : text[at] != kPattern[at]) {
            return std::nullopt;
        }
    }
    CaptureTime time;
    time.year = 2000 + TwoDigits(text, 2);
    time.month = TwoDigits(text, 5);
    time.day = TwoDigits(text, 8);
    time.hour = TwoDigits(text, 11);
    time.minute = TwoDigits(text, 14);
    time.second = TwoDigits(text, 17);
    time.hundredths = text.size() == kPattern.size() ? TwoDigits(text, 20) : defaultHundredths;
    if (!IsRealDate(time) || !IsTimeOfDay(time)) {
        return std::nullopt;
    }
    return time;
}

std::string TimeKeyText(std::int32_t timeKey) {
    // Keys come from names; one made of "99" hours still prints, as 99:..
    const std::int32_t hours = timeKey / kHundredthsPerHour;
    const std::int32_t minutes = timeKey % kHundredthsPerHour / kHundredthsPerMinute;
    const std::int32_t hundredths = timeKey % kHundredthsPerMinute;
    char text[24];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%02d", static_cast<int>(hours),
                  static_cast<int>(minutes), static_cast<int>(hundredths / 100),
                  static_cast<int>(hundredths % 100));
    return text;
}

}  // namespace orvik
