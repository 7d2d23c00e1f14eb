// Capture times read from a frame's names and from typed text. Unlike the keys, which take
// whatever digits a name holds, these take only names and texts that spell a real date and
// time of day digit by digit.
#include <filesystem>

#include "library/capture_time.h"

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

bool IsTimeOfDay(const CaptureTime& time) {
    return time.hour >= 0 && time.hour < 24 && time.minute >= 0 && time.minute < 60 &&
           time.second >= 0 && time.second < 60 && time.hundredths >= 0;
}

// A real date is the one the calendar gives back for its own day: a month or a day beyond
// its range would have been carried into another.
bool IsRealDate(const CaptureTime& time) {
    const CaptureTime midnight{time.year, time.month, time.day};
    return TimeAtMoment(MomentOf(midnight)) == midnight;
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

}  // namespace orvik
