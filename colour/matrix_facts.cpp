// The two facts of a colour matrix that the conversions' fast rows rely on: the packed
// conversion's terms fit in 16 bits, and the term tables follow their weights.
#include <algorithm>

#include "colour/colour_matrix.h"

namespace orvik {
namespace {

struct TermRange {
    std::int32_t low;
    std::int32_t high;
};

// The values weight·x takes for x from low to high.
TermRange WeightedRange(std::int32_t weight, std::int32_t low, std::int32_t high) {
    return {std::min(weight * low, weight * high), std::max(weight * low, weight * high)};
}

bool Fits(TermRange range) {
    return range.low >= -32768 && range.high <= 32767;
}

bool Follows(const std::int16_t (&terms)[256], std::int16_t weight, std::int32_t zero) {
    for (std::int32_t k = 0; k < 256; ++k) {
        if (terms[k] != WeightedTerm(weight, k - zero)) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool PackedTermsFitSixteenBits(const ColourMatrix& colour) {
    for (const auto& weights : colour.colourMatrix) {
        if (!Fits(WeightedRange(weights[0], 0, 255)) ||
            !Fits(WeightedRange(weights[1], -kChromaZero, 255 - kChromaZero)) ||
            !Fits(WeightedRange(weights[2], -kChromaZero, 255 - kChromaZero))) {
            return false;
        }
    }
    return true;
}

bool TermTablesFollowWeights(const ColourMatrix& colour) {
    for (int row = 0; row < 3; ++row) {
        const auto& weights = colour.colourMatrix[row];
        if (!Follows(colour.yTerms[row], weights[0], 0) ||
            !Follows(colour.uTerms[row], weights[1], kChromaZero) ||
            !Follows(colour.vTerms[row], weights[2], kChromaZero)) {
            return false;
        }
    }
    return true;
}

void NoteMatrixFacts(ColourMatrix& colour) {
    colour.fitsSixteenBits = PackedTermsFitSixteenBits(colour);
    colour.termsFollowWeights = TermTablesFollowWeights(colour);
}

}  // namespace orvik
