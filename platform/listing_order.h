// The order in which a folder's entries are delivered: names compared with ASCII letters
// folded to upper case, then, for names equal under that folding, byte by byte. It is the
// order of the file system the recordings come from, and the scan's choice of the current
// folder depends on it.
#pragma once

#include <string_view>

namespace orvik {

// Negative, 0 or positive as a sorts before, equal to or after b. Only identical names
// compare equal.
int CompareListingNames(std::string_view a, std::string_view b);

// True when a and b are the same name apart from the case of ASCII letters.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace orvik
