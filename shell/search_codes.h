// The Search command's reading of the typed date (20YY/MM/DD) and time (HH:MM:SS) into the
// codes the clip library searches by.
#pragma once

#include <cstdint>

namespace orvik {

struct SearchCodes {
    std::int32_t dateCode;  // YYMMDDHH as one number
    std::int32_t timeCode;  // hundredths of a second since midnight, at the end of the second
};

// Each field is the value of the digits in a two-character piece of the text (hh, mm, ss at
// time characters 0, 3, 6; yy, mo, dd at date characters 2, 5, 8). A piece is shorter where
// the text ends, and empty past its end; a piece without digits counts 0.
SearchCodes ReadSearchCodes(const char* dateText, const char* timeText);

}  // namespace orvik
