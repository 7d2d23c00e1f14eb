// DigitsValue: the number formed by the decimal digits of a text, read from the right,
// every other character skipped ("12:3" -> 123, "a1b2" -> 12, "07" -> 7).
// It raises the letters a..z of the text to upper case in place first: the stored frame
// file names, and so the paths shown to the user, rely on that.
#pragma once

#include <cstdint>

namespace orvik {

// The sum wraps in 32-bit two's-complement arithmetic. An empty text, or one without
// digits, gives 0.
std::int32_t DigitsValue(char* text);

}  // namespace orvik
