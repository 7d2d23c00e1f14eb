// Capture time: when a frame was taken, as the recording's names say. A frame's date is its
// date folder's (the YYMMDD of the folder's date key, years 20YY) and its time of day its
// own time key. The moment puts both on one axis, on which the Timeline, the clip marks,
// the export's range and orvik-frame all meet; the civil form (CaptureTime) is what a user
// types and what a JPEG of the frame carries. Beside them, the time texts the viewer and
// the tools show, and the readers of a date and time from names and from typed text.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "library/time_of_day.h"

namespace orvik {

// Hundredths of a second since 2000/01/01 00:00:00.00.
using CaptureMoment = std::int64_t;

// Frames at most this far apart belong to one run of footage; a longer pause is a gap. The
// Timeline draws runs by it, and an export that closes gaps shortens the pauses beyond it.
inline constexpr CaptureMoment kFootageGap = 2 * kHundredthsPerSecond;

struct CaptureTime {
    int year = 0;  // 2000..2099 when read from names or typed text
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

// The moment of a frame with this time key in a folder with this date key (YYMMDDHH; its
// hour is not used). Keys that name no real date are carried over as a calendar does:
// month 13 is January of the next year, day 0 the last day of the month before, a time key
// past 24 hours the next day.
CaptureMoment MomentOf(std::int32_t dateKey, std::int32_t timeKey);
// The moment of a date and time, fields beyond their ranges carried over the same way.
CaptureMoment MomentOf(const CaptureTime& time);
// The real date and time of day of a moment: MomentOf's inverse.
CaptureTime TimeAtMoment(CaptureMoment moment);

// "YYYY/MM/DD HH:MM:SS.cc" of a moment.
std::string MomentText(CaptureMoment moment);
// A time key as "HH:MM:SS.cc". Keys come from names, whose hours can say 99: such a key
// keeps its hours ("99:...") rather than running into a next day.
std::string TimeOfDayText(std::int32_t timeKey);
// A frame's capture time as the viewer shows it, "20YY/MM/DD HH:MM:SS.cc": its folder's
// date text, made from the characters of the folder's name, and its own time key.
std::string FrameTimeText(const char* folderName, std::int32_t timeKey);

// The capture time a frame's names spell: the folder's name begins with YYMMDDHH, the
// file's name holds HHMMSSCC from its fifth character on. None unless those characters are
// all digits and make a real date and time of day. The folder's hour must be one too; the
// file's hour is the one taken.
std::optional<CaptureTime> CaptureTimeOfFrame(std::string_view folderName,
                                              std::string_view fileName);
// The capture time that a frame file's path carries: the names of its folder and its own,
// taken from the path made absolute.
std::optional<CaptureTime> CaptureTimeOfPath(const std::string& framePath);

// "YYYY/MM/DD HH:MM:SS" or "YYYY/MM/DD HH:MM:SS.CC", a real date of 2000..2099 and time of
// day; without ".CC" the hundredths are defaultHundredths. None for any other text.
std::optional<CaptureTime> ParseCaptureTime(std::string_view text, int defaultHundredths);

}  // namespace orvik
