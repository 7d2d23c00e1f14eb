// Absolute time: hundredths of a second since 2000/01/01 00:00, the one axis on which the
// frames of every folder of a recording lie. A frame's date is its folder's (the YYMMDD of
// the date key, years 20YY) and its time of day its own time key.
#pragma once

#include <cstdint>
#include <string>

namespace orvik {

// The absolute time of a frame with this time key in a folder with this date key. Keys that
// name no real date are carried over as a calendar does: month 13 is January of the next
// year, day 0 the last day of the month before, a time key past 24 hours the next day.
std::int64_t AbsoluteTime(std::int32_t dateKey, std::int32_t timeKey);

// "YYYY/MM/DD HH:MM:SS.cc" of an absolute time.
std::string DateTimeText(std::int64_t time);

}  // namespace orvik
