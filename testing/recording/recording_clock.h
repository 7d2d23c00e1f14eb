// The calendar and clock of a generated recording: date-and-hour numbers YYMMDDHH (years
// 2000-2099) stepped an hour at a time, and the capture times of one folder's frames.
#pragma once

#include <cstdint>
#include <vector>

#include "testing/recording/recording_options.h"

namespace orvik {

// True when key is a real date and hour: month 1-12, a day of that month, hour 0-23.
bool IsDateHour(std::int32_t key);

// The date-and-hour hours later (across days, months, leap years and years).
std::int32_t AddHours(std::int32_t key, int hours);

// Capture times (hundredths of a second into the folder's hour) of one folder's frames:
// rate a second from the top of the hour for the recorded seconds, leaving out the gaps.
std::vector<std::int32_t> FolderFrameTimes(const RecordingOptions& options);

}  // namespace orvik
