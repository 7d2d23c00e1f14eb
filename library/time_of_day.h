// Time of day: hundredths of a second since midnight, the unit of a frame's timeKey, the play
// clock and the search's time code.
#pragma once

#include <cstdint>

namespace orvik {

inline constexpr std::int32_t kHundredthsPerSecond = 100;
inline constexpr std::int32_t kHundredthsPerMinute = 6000;
inline constexpr std::int32_t kHundredthsPerHour = 360000;
inline constexpr std::int32_t kHundredthsPerDay = 8640000;

}  // namespace orvik
