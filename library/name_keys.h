// The two sort keys read from names with DigitsValue, and the pieces of a name that the
// display texts show. A name shorter than a piece's position gives an empty piece.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvik {

// DigitsValue of count (at most 8) characters of text from position from, read on a copy:
// text is not changed.
std::int32_t DigitsValueOfPart(std::string_view text, std::size_t from, std::size_t count);

// Folder date key: the digits of the first eight characters of the name (YYMMDDHH).
std::int32_t DateKeyOfName(std::string_view name);

// Whether the scan takes a folder of this name for a date folder: eight characters at least,
// whose date key lies within kMinDateKey..kMaxDateKey.
bool IsDateFolderName(std::string_view name);

// File time key in hundredths of a second: characters 4-5 hours, 6-7 minutes, 8-11 seconds
// and hundredths, each read on its own.
std::int32_t TimeKeyOfName(std::string_view name);

// The largest time key a name gives: hour 99, minute 99, 9999 hundredths, a little over four
// days after its folder's midnight. A folder's frames lie within that span of its date.
inline constexpr std::int32_t kLatestTimeKey = 99 * 360000 + 99 * 6000 + 9999;

// The name from position at on; empty when the name is shorter.
const char* NameFrom(const char* name, std::size_t at);

// A folder's date text, "20YY/MM/DD", from the first six characters of its name, cut to the
// text's capacity as every text is.
void WriteDateText(char* text, std::size_t capacity, const char* folderName);

}  // namespace orvik
