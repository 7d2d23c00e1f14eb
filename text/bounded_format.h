// BoundedFormat: every formatted write into a fixed-size text buffer goes through here.
// It cuts the text to the buffer and always terminates it; callers rely on the cut
// (copying "%s" into a 3-character buffer yields the first two characters).
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvik {

inline constexpr std::uint32_t kFormatOk = 0;
inline constexpr std::uint32_t kFormatInvalidArgument = 0x80070057u;     // capacity 0 or too large
inline constexpr std::uint32_t kFormatInsufficientBuffer = 0x8007007Au;  // text was cut

// Largest capacity accepted, in characters including the terminator.
inline constexpr std::size_t kMaxFormatCapacity = 2147483647u;

// Formats into buffer (capacity counts the terminator). Returns kFormatOk, or
// kFormatInsufficientBuffer when the text was cut to capacity - 1 characters, or
// kFormatInvalidArgument (buffer untouched) when capacity is 0 or above kMaxFormatCapacity.
std::uint32_t BoundedFormat(char* buffer, std::size_t capacity, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

}  // namespace orvik
