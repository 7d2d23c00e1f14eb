// The order in which a folder's entries are delivered: names compared with ASCII letters
// folded to upper case, then, for names equal under that folding, byte by byte. It is the
// order of the file system the recordings come from, and the scan's choice of the current
// folder depends on it.
#pragma once

#include <string_view>

namespace orvik {

// A byte as the order sees it: ASCII letters a-z raised to upper case.
constexpr unsigned char FoldListingByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

// Negative, 0 or positive as a sorts before, equal to or after b. Only identical names
// compare equal.
int CompareListingNames(std::string_view a, std::string_view b);

// True when a and b are the same name apart from the case of ASCII letters.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace orvik
