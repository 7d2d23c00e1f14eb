// A frame's capture date and time as its names carry them (the date folder's name begins
// with YYMMDDHH, the frame file's name holds HHMMSSCC from its fifth character on), and as
// a user types one.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvik {

struct CaptureTime {
    int year = 0;  // 2000..2099
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int hundredths = 0;

    // Members in order of significance: for real dates and times of day, comparing them
    // one by one is comparing the moments.
    auto operator<=>(const CaptureTime&) const = default;
};

// None unless those characters are all digits and make a real date and time of day. The
// folder's hour must be one too; the file's hour is the one taken.
std::optional<CaptureTime> CaptureTimeOfFrame(std::string_view folderName,
                                              std::string_view fileName);

// The capture time that a frame file's path carries: the names of its folder and its own,
// taken from the path made absolute.
std::optional<CaptureTime> CaptureTimeOfPath(const std::string& framePath);

// "YYYY/MM/DD HH:MM:SS" or "YYYY/MM/DD HH:MM:SS.CC", a real date of 2000..2099 and time of
// day; without ".CC" the hundredths are defaultHundredths. None for any other text.
std::optional<CaptureTime> ParseCaptureTime(std::string_view text, int defaultHundredths);

// A time key (hundredths of a second since midnight) as HH:MM:SS.CC.
std::string TimeKeyText(std::int32_t timeKey);

}  // namespace orvik
