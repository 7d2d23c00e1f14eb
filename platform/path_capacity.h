// Path texts as the platform spells them: the separator the system joins paths with and
// looks for when it takes a path apart, and the capacity of every path buffer.
#pragma once

#include <climits>
#include <cstddef>

namespace orvik {

inline constexpr char kPathSeparator = '/';

// Characters of a path buffer, the terminator included (PATH_MAX, 4096 on Linux).
inline constexpr std::size_t kPathCapacity = PATH_MAX;

}  // namespace orvik
