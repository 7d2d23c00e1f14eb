// Every twin of a conversion's row that this processor runs must equal the portable row bit for
// bit: for every Y, U and V byte under the extreme adjustment sets and hand-made extreme
// matrices, and on random rows of every tail length.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "colour/colour_matrix.h"
#include "colour/convert_planes.h"
#include "colour/kernels.h"
#include "testing/colour/test_planes.h"

namespace orvik {
namespace {

ColourMatrix Build(const PictureAdjustments& a) {
    ColourMatrix m;
    BuildColourMatrix(a, m);
    return m;
}

// m with its term tables filled from its weights, as BuildColourMatrix fills them (the scalar
// row's twins work the terms out from the weights; the packed row reads only the weights),
// and its facts noted, so that the twins take their fast paths wherever these hold.
ColourMatrix WithTermTables(ColourMatrix m) {
    for (int row = 0; row < 3; ++row) {
        for (int k = 0; k < 256; ++k) {
            m.yTerms[row][k] = WeightedTerm(m.colourMatrix[row][0], k);
            m.uTerms[row][k] = WeightedTerm(m.colourMatrix[row][1], k - kChromaZero);
            m.vTerms[row][k] = WeightedTerm(m.colourMatrix[row][2], k - kChromaZero);
        }
    }
    NoteMatrixFacts(m);
    return m;
}

ColourMatrix WithWeights(std::int16_t weight, std::int16_t lumaOffset) {
    ColourMatrix m;
    for (auto& row : m.colourMatrix) {
        for (auto& w : row)
            w = weight;
    }
    m.lumaOffset = lumaOffset;
    return WithTermTables(m);
}

// Every output colour with these Y, U and V weights.
ColourMatrix WithColumnWeights(std::int16_t y, std::int16_t u, std::int16_t v) {
    ColourMatrix m;
    for (auto& row : m.colourMatrix) {
        row[0] = y;
        row[1] = u;
        row[2] = v;
    }
    m.lumaOffset = 3;
    return WithTermTables(m);
}

ColourMatrix RandomMatrix(std::mt19937& random) {
    std::uniform_int_distribution<int> any16(-32768, 32767);
    ColourMatrix m;
    for (auto& row : m.colourMatrix) {
        for (auto& w : row)
            w = static_cast<std::int16_t>(any16(random));
    }
    m.lumaOffset = static_cast<std::int16_t>(any16(random));
    return WithTermTables(m);
}

std::vector<ColourMatrix> ExtremeMatrices() {
    return {
        Build({0, 0, 0, 0}),
        Build({99, 99, 99, 99}),
        Build({0, 99, 0, 99}),
        Build({99, 0, 99, 0}),
        Build({49, 49, 49, 49}),
        Build({49, 99, 49, 49}),
        WithWeights(32767, 0),
        WithWeights(-32768, 0),
        WithWeights(32767, -32768),
        WithWeights(-32768, 32767),
        WithWeights(255, 0),
        WithWeights(-257, 100),
        // The widest terms that still fit in 16 bits (255 x 128, -128 x 256), and terms just
        // past them, which the twins must form wider.
        WithColumnWeights(128, 256, -128),
        WithColumnWeights(-128, -256, 256),
        WithColumnWeights(129, 200, 100),
        WithColumnWeights(100, 100, -257),
    };
}

// Runs a row kernel over `pairs` pairs and returns the 6·pairs bytes it wrote.
std::vector<std::uint8_t> Row(RowKernel kernel, const ColourMatrix& m,
                              const std::vector<std::uint8_t>& y,
                              const std::vector<std::uint8_t>& u,
                              const std::vector<std::uint8_t>& v) {
    std::vector<std::uint8_t> out(3 * y.size());
    kernel(m, y.data(), u.data(), v.data(), static_cast<int>(u.size()), out.data());
    return out;
}

// A conversion's row in the kernel tables and its portable row.
struct RowKind {
    const char* name;
    RowKernel ColourKernels::*row;
    RowKernel portable;
};
constexpr RowKind kPackedRow{"packed", &ColourKernels::packedRow, ConvertPackedRow};
constexpr RowKind kScalarRow{"scalar", &ColourKernels::scalarRow, ConvertScalarRow};

// The twins of the kind's portable row among the tables this processor runs, each once.
std::vector<RowKernel> Twins(const RowKind& kind) {
    std::vector<RowKernel> twins;
    for (const ColourKernels& k : RunnableColourKernels()) {
        const RowKernel row = k.*kind.row;
        if (row != kind.portable && std::find(twins.begin(), twins.end(), row) == twins.end()) {
            twins.push_back(row);
        }
    }
    return twins;
}

// For every combination of the three bytes (a row of 256 pixels holds every Y byte; one row
// per U byte, with V fixed per pass), each twin of the kind gives the portable row's bytes.
void ExpectTwinsEqualPortableForEveryByte(const RowKind& kind,
                                          const std::vector<ColourMatrix>& matrices) {
    std::vector<std::uint8_t> y(256), u(128), v(128);
    for (int k = 0; k < 256; ++k)
        y[k] = static_cast<std::uint8_t>(k);
    for (const RowKernel twin : Twins(kind)) {
        for (const ColourMatrix& m : matrices) {
            for (int uByte = 0; uByte < 256; ++uByte) {
                for (int vByte = 0; vByte < 256; ++vByte) {
                    std::fill(u.begin(), u.end(), static_cast<std::uint8_t>(uByte));
                    std::fill(v.begin(), v.end(), static_cast<std::uint8_t>(vByte));
                    ASSERT_EQ(Row(twin, m, y, u, v), Row(kind.portable, m, y, u, v))
                        << kind.name << ": U " << uByte << " V " << vByte << " weights "
                        << m.colourMatrix[0][0] << " offset " << m.lumaOffset;
                }
            }
        }
    }
}

// The fast paths' conditions hold exactly where their arithmetic does: 16-bit terms up to
// 255 x 128 and -128 x 256, no further; tables as BuildColourMatrix fills them, and no others.
// BuildColourMatrix and NoteMatrixFacts store what the two tests find.
TEST(RowTwins, FastPathsAreTakenExactlyWhereTheyHold) {
    struct Case {
        const char* name;
        ColourMatrix matrix;
        bool termsFit;
    };
    const Case cases[] = {
        {"default adjustments", Build({49, 49, 49, 49}), true},
        {"saturation 99", Build({99, 99, 99, 99}), false},
        {"widest terms that fit", WithColumnWeights(128, 256, -128), true},
        {"U term -256 x -128", WithColumnWeights(-128, -256, 256), false},
        {"Y term 255 x 129", WithColumnWeights(129, 200, 100), false},
        {"V term -128 x -257", WithColumnWeights(100, 100, -257), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PackedTermsFitSixteenBits(c.matrix), c.termsFit) << c.name;
        EXPECT_EQ(c.matrix.fitsSixteenBits, c.termsFit) << c.name;
        EXPECT_TRUE(TermTablesFollowWeights(c.matrix)) << c.name;
        EXPECT_TRUE(c.matrix.termsFollowWeights) << c.name;
        ColourMatrix altered = c.matrix;
        ++altered.vTerms[kGreen][200];
        EXPECT_FALSE(TermTablesFollowWeights(altered)) << c.name;
        NoteMatrixFacts(altered);
        EXPECT_FALSE(altered.termsFollowWeights) << c.name;
    }
    const ColourMatrix unnoted;  // facts not yet found: neither fast path is taken
    EXPECT_FALSE(unnoted.fitsSixteenBits);
    EXPECT_FALSE(unnoted.termsFollowWeights);
}

// A matrix whose tables are not known to follow its weights is converted with the portable
// scalar row whatever row is handed in: the twins would work out other terms than its tables
// hold.
TEST(RowTwins, ScalarConversionKeepsTablesThatDoNotFollowTheWeights) {
    ColourMatrix m = Build({49, 49, 49, 49});
    for (int k = 0; k < 256; ++k) {
        m.uTerms[kRed][k] = static_cast<std::int16_t>(3 * k - 200);
    }
    NoteMatrixFacts(m);
    const TestPlanes planes = RandomPlanes(64, 4, 9);
    const std::size_t stride = ScalarPictureStride(planes.width);
    std::vector<std::uint8_t> want(stride * planes.height), have(want.size());
    ConvertPlanesScalar(m, planes.View(), want.data(), ConvertScalarRow);
    for (const ColourKernels& k : RunnableColourKernels()) {
        ConvertPlanesScalar(m, planes.View(), have.data(), k.scalarRow);
        EXPECT_EQ(have, want) << k.name;
    }
}

TEST(RowTwins, EqualThePortableRowForEveryByteCombination) {
    if (Twins(kPackedRow).empty() && Twins(kScalarRow).empty())
        GTEST_SKIP() << "no twins run here";
    ExpectTwinsEqualPortableForEveryByte(kPackedRow, ExtremeMatrices());
    ExpectTwinsEqualPortableForEveryByte(kScalarRow, ExtremeMatrices());
}

TEST(RowTwins, EqualThePortableRowOnRandomRowsOfEveryTailLength) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int pairs = 1; pairs <= 40; ++pairs) {
        for (int trial = 0; trial < 50; ++trial) {
            const ColourMatrix m = RandomMatrix(random);
            std::vector<std::uint8_t> y(2 * pairs), u(pairs), v(pairs);
            for (auto* plane : {&y, &u, &v}) {
                for (auto& s : *plane)
                    s = static_cast<std::uint8_t>(byte(random));
            }
            for (const RowKind& kind : {kPackedRow, kScalarRow}) {
                for (const RowKernel twin : Twins(kind)) {
                    ASSERT_EQ(Row(twin, m, y, u, v), Row(kind.portable, m, y, u, v))
                        << kind.name << ": pairs " << pairs << " trial " << trial;
                }
            }
        }
    }
}

// The conversion with the row it picks for this processor gives the portable picture, rows
// bottom-up.
TEST(ConvertPlanesPacked, FastestRowGivesThePortablePicture) {
    const TestPlanes planes = RandomPlanes(640, 48, 5);
    for (const ColourMatrix& m : ExtremeMatrices()) {
        const std::size_t stride = PackedPictureStride(planes.width);
        std::vector<std::uint8_t> have(stride * planes.height);
        ConvertPlanesPacked(m, planes.View(), have.data(), stride);
        std::vector<std::uint8_t> want(have.size());
        for (int row = 0; row < planes.height; ++row) {
            const auto r = static_cast<std::size_t>(row);
            ConvertPackedRow(m, planes.y.data() + r * planes.width,
                             planes.u.data() + r * (planes.width / 2),
                             planes.v.data() + r * (planes.width / 2), planes.width / 2,
                             want.data() + (planes.height - 1 - r) * stride);
        }
        ASSERT_EQ(have, want) << "weights " << m.colourMatrix[0][0];
    }
}

}  // namespace
}  // namespace orvik
