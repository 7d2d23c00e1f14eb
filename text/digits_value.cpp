#include "text/digits_value.h"

#include <cstring>

namespace orvik {

std::int32_t DigitsValue(char* text) {
    const std::size_t length = std::strlen(text);
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] >= 'a' && text[i] <= 'z') {
            text[i] = static_cast<char>(text[i] - 'a' + 'A');
        }
    }
    // Unsigned arithmetic gives the wrap-around of the 32-bit sum without undefined behaviour.
    std::uint32_t sum = 0;
    std::uint32_t weight = 1;
    for (std::size_t i = length; i-- > 0;) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            sum += static_cast<std::uint32_t>(c - '0') * weight;
            weight *= 10;
        }
    }
    return static_cast<std::int32_t>(sum);
}

}  // namespace orvik
