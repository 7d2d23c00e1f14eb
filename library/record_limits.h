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

// Date keys (YYMMDDHH as one number) that make a folder a date folder, inclusive.
inline constexpr std::int32_t kMinDateKey = 4161;
inline constexpr std::int32_t kMaxDateKey = 99123099;

}  // namespace orvik
