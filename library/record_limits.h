// Capacities of the records. They are limits, not preallocated slots: the records grow
// with what a scan finds and refuse entries beyond these.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvik {

inline constexpr std::int32_t kMaxFolders = 65536;
inline constexpr std::int32_t kMaxFilesPerFolder = 108000;

// Characters of a name buffer, the terminator included: names are kept to 31 characters.
inline constexpr std::size_t kNameCapacity = 32;

// Date keys (YYMMDDHH as one number) that make a folder a date folder, inclusive. These are
// the recording device's own bounds, kept because recordings rely on them. Neither is a
// real date and hour: every real key, from 00010100 (the first hour of 2000) on, lies above
// 4161, which keeps out names whose first eight characters carry only a few digits; 99123099
// lets in every hour up to 2099/12/30 and refuses 2099/12/31.
inline constexpr std::int32_t kMinDateKey = 4161;
inline constexpr std::int32_t kMaxDateKey = 99123099;

}  // namespace orvik
