#include "shell/search_codes.h"

#include <cstring>

#include "library/time_of_day.h"
#include "text/bounded_format.h"
#include "text/digits_value.h"

namespace orvik {
namespace {

constexpr std::int32_t kEndOfSecond = 99;

// The digits' value of the two characters of text from offset on.
std::int32_t PieceValue(const char* text, std::size_t offset) {
    char piece[3] = "";
    if (offset <= std::strlen(text)) {
        BoundedFormat(piece, sizeof piece, "%s", text + offset);
    }
    return DigitsValue(piece);
}

}  // namespace

SearchCodes ReadSearchCodes(const char* dateText, const char* timeText) {
    const std::int32_t hh = PieceValue(timeText, 0);
    const std::int32_t mm = PieceValue(timeText, 3);
    const std::int32_t ss = PieceValue(timeText, 6);
    const std::int32_t yy = PieceValue(dateText, 2);
    const std::int32_t mo = PieceValue(dateText, 5);
    const std::int32_t dd = PieceValue(dateText, 8);
    return SearchCodes{
        yy * 1000000 + mo * 10000 + dd * 100 + hh,
        hh * kHundredthsPerHour + mm * kHundredthsPerMinute + ss * kHundredthsPerSecond +
            kEndOfSecond,
    };
}

}  // namespace orvik
