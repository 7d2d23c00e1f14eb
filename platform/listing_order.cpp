#include "platform/listing_order.h"

#include <algorithm>

namespace orvik {
namespace {

unsigned char FoldToUpper(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

// Compares the common prefix folded, then the lengths.
int CompareFolded(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = FoldToUpper(a[i]);
        const unsigned char y = FoldToUpper(b[i]);
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
