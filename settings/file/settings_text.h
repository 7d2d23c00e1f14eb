// The text of the settings file on platforms without a registry, read without Qt: an
// INI-style file whose [General] section (or the lines before any section) holds
// "name=value" lines, and the 32-bit numbers its values hold. The settings store reads the
// file's lines here, and the command-line tools the file itself, so the two always agree on
// what a file holds.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace orvik {

// The header of the general section, the one section the store reads and writes.
inline constexpr std::string_view kGeneralSectionHeader = "[General]";

// Calls take(name, value) for each name=value line of the general section, in file order,
// both trimmed of ASCII white space (a name given twice counts by its later line, for the
// store as for the tools). Lines are split at '\n' alone. Lines without '=' or with an
// empty name, comment lines (';' or '#' first), other sections' lines and section headers
// are skipped; a damaged file gives what is left.
void ForEachGeneralSetting(std::string_view text,
                           const std::function<void(std::string_view, std::string_view)>& take);

// The number a stored text holds, read as Qt reads a decimal int: the text ends at its
// first NUL, ASCII white space may stand before and after, then one optional sign and at
// least one ASCII digit, any number of leading zeros; nothing when anything else stands in
// it or the value does not fit 32 bits.
std::optional<std::int32_t> SettingInteger(std::string_view text);

// text without a leading UTF-8 byte order mark (one at most), as UTF-8 decoding drops it
// from each name and value the store reads.
std::string_view WithoutByteOrderMark(std::string_view text);

}  // namespace orvik
