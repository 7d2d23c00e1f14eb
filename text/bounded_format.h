// BoundedFormat: every formatted write into a fixed-size text buffer goes through here.
// It cuts the text to the buffer and always terminates it; callers rely on the cut
// (copying "%s" into a 3-character buffer yields the first two characters).
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvik {

// What became of the text; the values are the system's own codes for these outcomes.
enum class FormatResult : std::uint32_t {
    kOk = 0,
    kInvalidArgument = 0x80070057u,     // capacity 0 or too large: nothing written
    kInsufficientBuffer = 0x8007007Au,  // the text was cut to the buffer
};

// Largest capacity accepted, in characters including the terminator.
inline constexpr std::size_t kMaxFormatCapacity = 2147483647u;

// Formats into buffer (capacity counts the terminator): kOk, or kInsufficientBuffer when the
// text was cut to capacity - 1 characters, or kInvalidArgument (buffer untouched) when
// capacity is 0 or above kMaxFormatCapacity.
FormatResult BoundedFormat(char* buffer, std::size_t capacity, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

}  // namespace orvik
