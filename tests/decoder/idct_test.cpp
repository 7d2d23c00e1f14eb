// The two transforms, each in its portable form and its SIMD twins (SSE2, and AVX2 where
// the processor has it), over one table of named blocks with the samples
// they must give; a real block from a generated frame against the direct formula and
// against libjpeg-turbo; random blocks, each SIMD twin against its portable form, and each
// table's pair transform against two of its single ones; and DC-only blocks against the
// sample the decoder fills them with.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "decoder/decoder_tables.h"
#include "decoder/kernels.h"
#include "testing/decoder/bitwise_reference.h"
#include "testing/decoder/decoder_fixtures.h"

namespace orvik {
namespace {

using Block32 = std::array<std::int32_t, 64>;
using Samples = std::array<std::uint8_t, 64>;

struct Transform {
    std::string name;
    bool packed;
    // coefficients and quantisers as 32-bit values; the packed forms get their low 16 bits.
    std::function<void(const Block32&, const Block32&, std::uint8_t*, int)> run;
};

std::array<std::int16_t, 64> Low16(const Block32& values) {
    std::array<std::int16_t, 64> out{};
    for (int i = 0; i < 64; ++i) {
        out[i] = static_cast<std::int16_t>(values[i]);
    }
    return out;
}

// Both transforms of every kernel table this processor runs: the portable scalar and packed
// transforms first, then their twins in the same order.
const std::vector<Transform>& RunnableTransforms() {
    static const std::vector<Transform> transforms = [] {
        std::vector<Transform> all;
        for (const DecoderKernels& k : RunnableDecoderKernels()) {
            all.push_back({std::string(k.name) + " scalar", false,
                           [t = k.inverseDctScalar](const Block32& c, const Block32& q,
                                                    std::uint8_t* out, int stride) {
                               t(c.data(), q.data(), out, stride, 128, 255);
                           }});
            all.push_back({std::string(k.name) + " packed", true,
                           [t = k.inverseDctPacked](const Block32& c, const Block32& q,
                                                    std::uint8_t* out, int stride) {
                               t(Low16(c).data(), Low16(q).data(), out, stride);
                           }});
        }
        return all;
    }();
    return transforms;
}

Samples Transformed(const Transform& t, const Block32& coefficients, const Block32& quant) {
    Samples out{};
    t.run(coefficients, quant, out.data(), 8);
    return out;
}

Block32 Filled(std::int32_t value) {
    Block32 b{};
    b.fill(value);
    return b;
}

Block32 WithEntries(std::initializer_list<std::pair<int, std::int32_t>> entries) {
    Block32 b{};
    for (const auto& [at, value] : entries) {
        b[at] = value;
    }
    return b;
}

Samples Uniform(std::uint8_t value) {
    Samples s{};
    s.fill(value);
    return s;
}

Samples EveryRowReads(const std::array<std::uint8_t, 8>& row) {
    Samples s{};
    for (int i = 0; i < 64; ++i) {
        s[i] = row[i % 8];
    }
    return s;
}

Samples EveryColumnReads(const std::array<std::uint8_t, 8>& column) {
    Samples s{};
    for (int i = 0; i < 64; ++i) {
        s[i] = column[i / 8];
    }
    return s;
}

Samples FirstRow(const std::array<std::uint8_t, 8>& row) {
    Samples s{};
    std::copy(row.begin(), row.end(), s.begin());
    return s;
}

std::string Show(const Samples& s, int rows) {
    std::string text;
    for (int i = 0; i < 8 * rows; ++i) {
        text += std::to_string(s[i]) + (i % 8 == 7 ? "\n" : " ");
    }
    return text;
}

struct NamedBlock {
    const char* name;
    Block32 coefficients;
    Block32 quant;
    Samples wantScalar;
    Samples wantPacked;
    int rowsChecked = 8;
};

TEST(InverseDct, NamedBlocksGiveTheirSamplesInEveryTransform) {
    const std::array<std::uint8_t, 8> slope = {142, 140, 136, 131, 125, 120, 116, 114};
    const NamedBlock blocks[] = {
        {"all coefficients 0", Block32{}, Filled(16), Uniform(128), Uniform(128)},
        {"DC 10", WithEntries({{0, 10}}), Filled(16), Uniform(148), Uniform(148)},
        {"DC -70 clamps to 0", WithEntries({{0, -70}}), Filled(16), Uniform(0), Uniform(0)},
        {"DC 100 clamps to 255", WithEntries({{0, 100}}), Filled(16), Uniform(255), Uniform(255)},
        {"one horizontal AC term", WithEntries({{1, 5}}), Filled(16), EveryRowReads(slope),
         EveryRowReads(slope)},
        {"one vertical AC term", WithEntries({{8, 5}}), Filled(16), EveryColumnReads(slope),
         EveryColumnReads(slope)},
        {"DC 1 and coefficient 9 = 3, quantisers 1", WithEntries({{0, 1}, {9, 3}}), Filled(1),
         FirstRow({129, 129, 129, 128, 128, 128, 128, 127}),
         FirstRow({129, 129, 128, 128, 128, 128, 128, 128}), 1},
        // 2048 x 16 = 32768: the packed form keeps the low 16 bits of the product (-32768),
        // the scalar form cuts only the coefficient.
        {"product beyond 16 bits", WithEntries({{0, 2048}}), Filled(16), Uniform(255), Uniform(0)},
    };
    for (const NamedBlock& block : blocks) {
        for (const Transform& t : RunnableTransforms()) {
            const Samples have = Transformed(t, block.coefficients, block.quant);
            const Samples& want = t.packed ? block.wantPacked : block.wantScalar;
            const int n = 8 * block.rowsChecked;
            EXPECT_TRUE(std::equal(have.begin(), have.begin() + n, want.begin()))
                << block.name << ", " << t.name << ":\nhave\n"
                << Show(have, block.rowsChecked) << "want\n"
                << Show(want, block.rowsChecked);
        }
    }
}

// The inverse DCT by its definition, rounded, for comparing a real block.
Samples DirectFormula(const Block32& coefficients, const Block32& quant) {
    Samples out{};
    const double pi = std::acos(-1.0);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            double sum = 0;
            for (int v = 0; v < 8; ++v) {
                for (int u = 0; u < 8; ++u) {
                    const double cu = u == 0 ? std::sqrt(0.5) : 1.0;
                    const double cv = v == 0 ? std::sqrt(0.5) : 1.0;
                    sum += cu * cv * coefficients[8 * v + u] * quant[8 * v + u] *
                           std::cos((2 * x + 1) * u * pi / 16) *
                           std::cos((2 * y + 1) * v * pi / 16);
                }
            }
            out[8 * y + x] =
                static_cast<std::uint8_t>(std::clamp(std::lround(sum / 4 + 128), 0l, 255l));
        }
    }
    return out;
}

TEST(InverseDct, RealBlockFromAGeneratedFrame) {
    const testing::TestFrame frame = testing::MakeFrame(64, 16, 90, 3);
    DecoderContext context(DecoderVariant::kScalar);
    testing::PrepareContext(context, frame);
    const testing::BitwiseFrame coded = testing::BitwiseDecodeFrame(
        frame.CodedData(), frame.CodedLength(), context.mcuCount, *context.tables);
    // The busiest Y block of the first MCU row: most coefficients set.
    int best = 0;
    int bestCount = -1;
    for (int i = 0; i < 4 * 4; ++i) {
        if (i % 4 >= 2) {
            continue;  // U and V blocks
        }
        const int count = static_cast<int>(std::count_if(std::begin(coded.blocks[i].coefficients),
                                                         std::end(coded.blocks[i].coefficients),
                                                         [](std::int32_t c) { return c != 0; }));
        if (count > bestCount) {
            best = i;
            bestCount = count;
        }
    }
    ASSERT_GT(bestCount, 10) << "the generated picture should give a busy block";
    Block32 coefficients{};
    std::copy(std::begin(coded.blocks[best].coefficients),
              std::end(coded.blocks[best].coefficients), coefficients.begin());
    Block32 quant{};
    std::copy_n(context.tables->quant32[0]->begin(), 64, quant.begin());

    // Where libjpeg-turbo put that block: MCU best / 4, Y block best % 4.
    const std::vector<std::uint8_t> reference = testing::ReferencePlanes(frame);
    const int column = 16 * (best / 4) + 8 * (best % 4);
    Samples libjpeg{};
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            libjpeg[8 * r + c] = reference[static_cast<std::size_t>(r) * frame.width + column + c];
        }
    }
    const Samples formula = DirectFormula(coefficients, quant);
    for (const Transform& t : RunnableTransforms()) {
        const Samples have = Transformed(t, coefficients, quant);
        for (int i = 0; i < 64; ++i) {
            EXPECT_LE(std::abs(have[i] - formula[i]), 1)
                << t.name << " sample " << i << ": have " << int{have[i]} << ", want "
                << int{formula[i]} << " within 1";
        }
        if (!t.packed) {
            EXPECT_EQ(have, libjpeg) << t.name << ": have\n"
                                     << Show(have, 8) << "want libjpeg-turbo's\n"
                                     << Show(libjpeg, 8);
        }
    }
}

// Kinds of random block: realistic sparse ones, DC-only ones (their short path), the full
// 16-bit range, and for the scalar form 32-bit values whose low half may be 0.
// kExtremes: every entry one of the edge values of 16 and 32 bits, with edge quantisers.
enum class Kind { kSparse, kDcOnly, kFull16, kWide32, kExtremes };

Block32 RandomBlock(std::mt19937& random, Kind kind) {
    Block32 b{};
    switch (kind) {
        case Kind::kSparse: {
            std::uniform_int_distribution<int> count(0, 12), at(0, 63), value(-300, 300);
            for (int n = count(random); n > 0; --n) {
                b[at(random)] = value(random);
            }
            break;
        }
        case Kind::kDcOnly:
            b[0] = std::uniform_int_distribution<int>(-32768, 32767)(random);
            break;
        case Kind::kFull16:
            for (std::int32_t& v : b) {
                v = std::uniform_int_distribution<int>(-32768, 32767)(random);
            }
            break;
        case Kind::kWide32:
            for (std::int32_t& v : b) {
                const int pick = std::uniform_int_distribution<int>(0, 3)(random);
                v = pick == 0   ? 0
                    : pick == 1 ? 65536 * std::uniform_int_distribution<int>(-9, 9)(random)
                                : static_cast<std::int32_t>(random());
            }
            break;
        case Kind::kExtremes: {
            constexpr std::int32_t kEdges[] = {0,     0,     0,      1,         -1,       -32768,
                                               32767, 65535, -65536, INT32_MIN, INT32_MAX};
            std::uniform_int_distribution<std::size_t> pick(0, std::size(kEdges) - 1);
            for (std::int32_t& v : b) {
                v = kEdges[pick(random)];
            }
            break;
        }
    }
    return b;
}

// Quantisers: the stored range 0..255 (or 1..255), and for extreme blocks the edges of the
// range the SIMD twins accept, 0..32767.
Block32 RandomQuantisers(std::mt19937& random, Kind kind, int trial) {
    Block32 quant{};
    constexpr std::int32_t kEdges[] = {0, 1, 255, 32767};
    std::uniform_int_distribution<std::size_t> edge(0, std::size(kEdges) - 1);
    for (std::int32_t& q : quant) {
        q = kind == Kind::kExtremes
                ? kEdges[edge(random)]
                : std::uniform_int_distribution<int>(trial % 2 == 0 ? 0 : 1, 255)(random);
    }
    return quant;
}

TEST(InverseDct, SimdTwinsEqualThePortableFormsOnRandomBlocks) {
    const std::vector<Transform>& all = RunnableTransforms();
    if (all.size() == 2) {
        GTEST_SKIP() << "no twins run here";
    }
    std::mt19937 random(20240601);
    constexpr int kStride = 24;
    const Kind kinds[] = {Kind::kSparse, Kind::kDcOnly, Kind::kFull16, Kind::kWide32,
                          Kind::kExtremes};
    for (const Kind kind : kinds) {
        for (int trial = 0; trial < 2000; ++trial) {
            const Block32 coefficients = RandomBlock(random, kind);
            const Block32 quant = RandomQuantisers(random, kind, trial);
            for (std::size_t t = 2; t < all.size(); ++t) {
                const Transform& twin = all[t];
                const Transform& portable = all[t % 2];
                if (kind == Kind::kWide32 && portable.packed) {
                    continue;  // packed blocks are 16-bit
                }
                std::vector<std::uint8_t> want(8 * kStride, 0xA5), have(8 * kStride, 0xA5);
                portable.run(coefficients, quant, want.data(), kStride);
                twin.run(coefficients, quant, have.data(), kStride);
                ASSERT_EQ(have, want) << twin.name << " against " << portable.name << ", kind "
                                      << static_cast<int>(kind) << ", trial " << trial;
                for (int r = 0; r < 8; ++r) {
                    for (int c = 8; c < kStride; ++c) {
                        ASSERT_EQ(want[static_cast<std::size_t>(r) * kStride + c], 0xA5)
                            << portable.name << " wrote outside its block";
                    }
                }
            }
        }
    }
}

// The scalar twins drop the all-zero shortcuts where a lane's first entry is small enough
// for the butterfly to give the same: a column's dequantised DC e0 within -2^18..2^18 - 1 in
// the first pass, a row's first entry t0 within -2^18..2^18 - 17 in the second. Blocks at and
// just past those edges, against the portable form:
//   - e0 = DC x quantiser exactly at each edge, in a column whose AC entries are 0, beside a
//     column with an AC entry, and alone;
//   - column 0 alone, DC and the row-1 entry swept so that the rows' t0 (about 4 x e0) pass
//     over both edges while every row's other entries are 0.
TEST(InverseDct, ScalarTwinsEqualThePortableFormAtTheShortcutBounds) {
    const std::vector<Transform>& all = RunnableTransforms();
    if (all.size() == 2) {
        GTEST_SKIP() << "no twins run here";
    }
    struct Edge {
        std::int32_t dc, quantiser;  // their product is e0
    };
    const Edge edges[] = {{1197, 219}, {16384, 16},  {-16384, 16}, {-1417, 185},
                          {16383, 16}, {-16383, 16}, {32767, 255}, {-32768, 255}};
    std::vector<std::pair<Block32, Block32>> blocks;  // coefficients, quantisers
    for (const Edge& edge : edges) {
        for (const int column : {0, 5}) {
            Block32 quant = Filled(3);
            quant[column] = edge.quantiser;
            blocks.push_back({WithEntries({{column, edge.dc}, {8 + 3, 7}}), quant});
        }
        // DC only: the first pass's result reaches the samples through the second's shortcut.
        blocks.push_back({WithEntries({{0, edge.dc}}), Filled(edge.quantiser)});
    }
    for (const int sign : {1, -1}) {
        for (std::int32_t dc = 32700; dc <= 32767; ++dc) {
            for (std::int32_t ac = -64; ac <= 64; ++ac) {
                Block32 quant = Filled(1);
                quant[0] = 2;
                blocks.push_back({WithEntries({{0, sign * dc - (sign < 0)}, {8, ac}}), quant});
            }
        }
    }
    for (std::size_t t = 2; t < all.size(); ++t) {
        if (all[t].packed) {
            continue;
        }
        int faults = 0;
        for (const auto& [coefficients, quant] : blocks) {
            faults += Transformed(all[t], coefficients, quant) !=
                      Transformed(all[0], coefficients, quant);
        }
        EXPECT_EQ(faults, 0) << all[t].name << ": have " << faults << " blocks unlike "
                             << all[0].name << ", want 0";
    }
}

// The pair transform of every kernel table against two calls of the table's own packed
// transform, over the whole output buffers: the blocks side by side in one plane (as the two
// Y blocks of an MCU lie) or in two planes of different strides. Entries are full 16-bit,
// realistic sparse or DC only, or one entry set at each position in turn; quantisers are
// header bytes with 0 and 255 frequent.
TEST(InverseDct, PairTransformsEqualTwoSingleTransforms) {
    std::mt19937 random(20240617);
    auto quantisers = [&random] {
        Block32 quant{};
        for (std::int32_t& q : quant) {
            const int pick = std::uniform_int_distribution<int>(0, 3)(random);
            q = pick == 0   ? 0
                : pick == 1 ? 255
                            : std::uniform_int_distribution<int>(0, 255)(random);
        }
        return Low16(quant);
    };
    struct Case {
        const char* name;
        std::function<Block32(int trial)> block;
    };
    const Case cases[] = {
        {"full 16-bit", [&](int) { return RandomBlock(random, Kind::kFull16); }},
        {"sparse", [&](int) { return RandomBlock(random, Kind::kSparse); }},
        {"DC only", [&](int) { return RandomBlock(random, Kind::kDcOnly); }},
        {"one entry at each position",
         [&](int trial) {
             return WithEntries(
                 {{trial % 64, std::uniform_int_distribution<int>(-2048, 2047)(random)}});
         }},
    };
    for (const DecoderKernels& k : RunnableDecoderKernels()) {
        for (const Case& c : cases) {
            for (int trial = 0; trial < 512; ++trial) {
                const auto coefficientsA = Low16(c.block(trial)),
                           coefficientsB = Low16(c.block(trial + 31));
                const auto quantA = quantisers(), quantB = quantisers();
                const bool sideBySide = trial % 2 == 0;
                const int strideA = 40, strideB = sideBySide ? strideA : 24;
                std::vector<std::uint8_t> want(16 * 40, 0xA5), have(want);
                auto blocks = [&](std::vector<std::uint8_t>& out) {
                    std::uint8_t* outB = sideBySide ? out.data() + 8 : out.data() + 8 * 40;
                    return std::pair<PackedBlock, PackedBlock>{
                        {coefficientsA.data(), quantA.data(), out.data(), strideA},
                        {coefficientsB.data(), quantB.data(), outB, strideB}};
                };
                const auto [wantA, wantB] = blocks(want);
                k.inverseDctPacked(wantA.coefficients, wantA.quant, wantA.out, wantA.stride);
                k.inverseDctPacked(wantB.coefficients, wantB.quant, wantB.out, wantB.stride);
                const auto [haveA, haveB] = blocks(have);
                k.inverseDctPackedPair(haveA, haveB);
                ASSERT_EQ(have, want) << k.name << ", " << c.name << ", trial " << trial
                                      << (sideBySide ? ", side by side" : ", two planes");
            }
        }
    }
}

// A block whose entries but the first are 0, through every transform of every kernel table
// (the portable ones first): all 64 samples equal the variant's DC-only sample, which the
// decoder writes instead of transforming such a block. Quantisers are header bytes, 0..255;
// the scalar block holds the predictor whole, whose sums of DC differences (at most 511 a
// block) reach about +-10.5 million in a 1280x1024 frame; the packed block holds its low 16
// bits.
TEST(InverseDct, DcOnlyBlocksGiveTheDcOnlySampleEverywhere) {
    struct Sweep {
        const char* name;
        std::vector<std::int32_t> dcs;
        std::vector<std::int32_t> quantisers;
    };
    auto range = [](std::int32_t from, std::int32_t to) {
        std::vector<std::int32_t> values(static_cast<std::size_t>(to - from + 1));
        std::iota(values.begin(), values.end(), from);
        return values;
    };
    const std::vector<std::int32_t> allQuantisers = range(0, 255);
    const Sweep sweeps[] = {
        {"every DC of a well-formed frame, every quantiser", range(-1024, 1024), allQuantisers},
        {"every 16-bit DC", range(-32768, 32767), {1, 2, 3, 255}},
        {"predictors beyond 16 bits",
         {32768, 65535, 65536, 65536 + 700, -32769, -65536 - 700, 10'465'280, -10'465'280},
         allQuantisers},
    };
    for (const DecoderKernels& k : RunnableDecoderKernels()) {
        for (const Sweep& sweep : sweeps) {
            int scalarFaults = 0;
            int packedFaults = 0;
            for (const std::int32_t q : sweep.quantisers) {
                Block32 quant32 = Filled(q);
                std::array<std::int16_t, 64> quant16 = Low16(quant32);
                Block32 block32{};
                std::array<std::int16_t, 64> block16{};
                for (const std::int32_t dc : sweep.dcs) {
                    block32[0] = dc;
                    block16[0] = static_cast<std::int16_t>(dc);
                    Samples have{};
                    k.inverseDctScalar(block32.data(), quant32.data(), have.data(), 8, 128, 255);
                    scalarFaults += have != Uniform(ScalarDcOnlySample(dc, q, 128, 255));
                    k.inverseDctPacked(block16.data(), quant16.data(), have.data(), 8);
                    packedFaults += have != Uniform(PackedDcOnlySample(block16[0], quant16[0]));
                }
            }
            EXPECT_EQ(scalarFaults, 0) << k.name << " scalar, " << sweep.name;
            EXPECT_EQ(packedFaults, 0) << k.name << " packed, " << sweep.name;
        }
    }
}

}  // namespace
}  // namespace orvik
