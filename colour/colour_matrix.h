// The user's four picture adjustments folded, with the fixed YUV-to-RGB conversion, into
// one 3x3 integer matrix (scale 64), nine 256-entry contribution tables and a luma offset.
// All arithmetic is 32-bit integer; the order of products, the divisor after each product
// and the truncating divisions decide the low bits and are part of the results.
#pragma once

#include <cstdint>

namespace orvik {

// Brightness, contrast, hue, saturation: range 0..99 (the sliders' range).
struct PictureAdjustments {
    std::int32_t brightness = 49;
    std::int32_t contrast = 49;
    std::int32_t hue = 49;
    std::int32_t saturation = 49;
};

// The colour matrix's scale is 64 = 1.0: a weighted sum >> kMatrixShift is in sample units.
inline constexpr int kMatrixShift = 6;
// U and V bytes are offset by 128.
inline constexpr std::int32_t kChromaZero = 128;

// A weight's term for a sample less its zero, as the term tables hold it: the 32-bit product
// shifted down (rounding down) and cut to 16 bits.
inline std::int16_t WeightedTerm(std::int16_t weight, std::int32_t sample) {
    return static_cast<std::int16_t>((weight * sample) >> kMatrixShift);
}

// Output rows of the matrix and the tables.
enum ColourRow { kRed = 0, kGreen = 1, kBlue = 2 };

// The colour fields that the conversion reads.
struct ColourMatrix {
    std::int16_t colourMatrix[3][3] = {};  // [output R,G,B][weight of Y,U,V], 64 = 1.0
    std::int16_t uTerms[3][256] = {};      // contribution of a U byte to R, G, B
    std::int16_t vTerms[3][256] = {};      // contribution of a V byte
    std::int16_t yTerms[3][256] = {};      // contribution of a Y byte
    std::int16_t lumaOffset = 0;
    // Facts of the fields above that the conversions' fast rows rely on, found once with
    // them (NoteMatrixFacts) instead of at every picture or row. False until then, which
    // takes the rows that need neither.
    bool fitsSixteenBits = false;     // PackedTermsFitSixteenBits
    bool termsFollowWeights = false;  // TermTablesFollowWeights
};

// Each value limited to 0..99, so that no stored setting can index outside the tables.
PictureAdjustments ClampAdjustments(const PictureAdjustments& raw);

// Overwrites every field of out from the adjustments, the two facts included. Values outside
// 0..99 are limited to it first, so any stored setting gives a defined matrix.
void BuildColourMatrix(const PictureAdjustments& adjustments, ColourMatrix& out);

// True when every weighted term of the packed conversion (a weight times a Y byte, or times a
// U or V byte less the chroma zero) fits in 16 bits for every byte: then a 16-bit multiply
// forms each term and a 16-bit saturating add each saturating sum, with the portable row's
// results. The default adjustments and most others give such matrices.
bool PackedTermsFitSixteenBits(const ColourMatrix& colour);
// True when every term table holds WeightedTerm of its weight for each byte, as
// BuildColourMatrix fills them: then a term can be worked out from its weight instead of
// looked up.
bool TermTablesFollowWeights(const ColourMatrix& colour);
// Sets the two facts from the weights and tables: for a matrix filled by other means than
// BuildColourMatrix, after its last change.
void NoteMatrixFacts(ColourMatrix& colour);

}  // namespace orvik
