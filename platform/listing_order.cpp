#include "platform/listing_order.h"

#include <algorithm>

namespace orvik {
namespace {

// Compares the common prefix folded, then the lengths. Identical bytes fold alike, so the
// fold starts at the first byte that differs: names of one folder mostly share a long
// prefix, and the scan's sorts spent most of their time folding it (measured: a third of
// the user time of a 1,000,000-file scan).
int CompareFolded(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    const std::size_t from = static_cast<std::size_t>(
        std::mismatch(a.begin(), a.begin() + common, b.begin()).first - a.begin());
    for (std::size_t i = from; i < common; ++i) {
        const unsigned char x = FoldListingByte(a[i]);
        const unsigned char y = FoldListingByte(b[i]);
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace

int CompareListingNames(std::string_view a, std::string_view b) {
    const int folded = CompareFolded(a, b);
    if (folded != 0) {
        return folded;
    }
    // Same length here; string_view compares bytes as unsigned char.
    return a.compare(b);
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return CompareFolded(a, b) == 0;
}

}  // namespace orvik
