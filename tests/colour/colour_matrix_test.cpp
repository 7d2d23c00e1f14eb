#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>

#include "colour/colour_matrix.h"
#include "colour/colour_tables.h"
#include "colour/matrix3.h"
#include "colour/saturation_matrix.h"

namespace orvik {
namespace {

ColourMatrix Build(std::int32_t b, std::int32_t c, std::int32_t h, std::int32_t s) {
    ColourMatrix m;
    BuildColourMatrix({b, c, h, s}, m);
    return m;
}

bool SameFields(const ColourMatrix& a, const ColourMatrix& b) {
    return std::memcmp(a.colourMatrix, b.colourMatrix, sizeof a.colourMatrix) == 0 &&
           std::memcmp(a.uTerms, b.uTerms, sizeof a.uTerms) == 0 &&
           std::memcmp(a.vTerms, b.vTerms, sizeof a.vTerms) == 0 &&
           std::memcmp(a.yTerms, b.yTerms, sizeof a.yTerms) == 0 && a.lumaOffset == b.lumaOffset &&
           a.fitsSixteenBits == b.fitsSixteenBits && a.termsFollowWeights == b.termsFollowWeights;
}

TEST(HueTables, MatchTheCheckRows) {
    struct Case {
        int k;
        std::int16_t sine, cosine;
    };
    const Case cases[] = {
        {0, -886, -512}, {1, -907, -474}, {2, -926, -436}, {12, -1023, -21},
        {25, -886, 511}, {49, -42, 1023}, {50, 0, 1024},   {51, 42, 1023},
        {75, 886, 511},  {87, 1023, 21},  {98, 926, -436}, {99, 907, -474},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hueSine[c.k], c.sine) << "k " << c.k;
        EXPECT_EQ(hueCosine[c.k], c.cosine) << "k " << c.k;
    }
}

TEST(HueTables, EveryEntryIsTheCutSineWithPiAs3_1416) {
    int entriesThatTruePiWouldChange = 0;
    for (int k = 0; k < kHueSteps; ++k) {
        const double degrees = (k - 50) * 2.4;
        const double theta = degrees * 3.1416 / 180.0;
        EXPECT_EQ(hueSine[k], static_cast<int>(std::trunc(1024.0 * std::sin(theta)))) << "k " << k;
        EXPECT_EQ(hueCosine[k], static_cast<int>(std::trunc(1024.0 * std::cos(theta))))
            << "k " << k;
        const double exact = degrees * M_PI / 180.0;
        entriesThatTruePiWouldChange +=
            (hueSine[k] != static_cast<int>(std::trunc(1024.0 * std::sin(exact)))) +
            (hueCosine[k] != static_cast<int>(std::trunc(1024.0 * std::cos(exact))));
    }
    EXPECT_EQ(entriesThatTruePiWouldChange, 5);
}

TEST(SaturationMatrix, SetUpGreyAndNearNeutralValues) {
    const Matrix3 want = {{{339, -37, -37}, {-73, 303, -73}, {-9, -9, 366}}};
    EXPECT_EQ(SaturationMatrix(49), want);
    // At saturation 0 every row is the luminance weights of its own colour (a grey picture).
    const Matrix3 grey = {{{79, 79, 79}, {156, 156, 156}, {21, 21, 21}}};
    EXPECT_EQ(SaturationMatrix(0), grey);
    const Matrix3 nearNeutral = {{{254, 0, 0}, {1, 255, 1}, {0, 0, 253}}};  // s = 0.99
    EXPECT_EQ(SaturationMatrix(33), nearNeutral);
}

TEST(BuildColourMatrix, WorkedMatrices) {
    struct Case {
        PictureAdjustments in;
        std::int16_t rows[3][3];
        std::int16_t lumaOffset;
    };
    const Case cases[] = {
        {{49, 49, 49, 49}, {{63, -2, 124}, {63, -24, -61}, {63, 159, 5}}, 1},
        {{80, 70, 49, 49}, {{78, -4, 154}, {78, -31, -76}, {78, 197, 6}}, 2},
        {{50, 50, 50, 50}, {{64, 1, 129}, {64, -29, -63}, {64, 166, 0}}, 0},
        {{49, 49, 49, 0}, {{61, -4, 0}, {61, -4, 0}, {61, -4, 0}}, 1},
        {{0, 0, 0, 0}, {{27, -2, 0}, {27, -2, 0}, {27, -2, 0}}, 20},
        {{99, 99, 99, 99}, {{97, 357, -209}, {98, -159, 166}, {98, -228, -425}}, -19},
        {{49, 99, 49, 49}, {{98, -5, 193}, {98, -38, -96}, {98, 248, 8}}, -69},
        {{49, 49, 49, 99}, {{63, -3, 252}, {63, -47, -126}, {62, 328, 10}}, 1},
    };
    for (const Case& c : cases) {
        const ColourMatrix m = Build(c.in.brightness, c.in.contrast, c.in.hue, c.in.saturation);
        for (int r = 0; r < 3; ++r) {
            for (int col = 0; col < 3; ++col) {
                EXPECT_EQ(m.colourMatrix[r][col], c.rows[r][col])
                    << "adjustments " << c.in.brightness << "," << c.in.contrast << "," << c.in.hue
                    << "," << c.in.saturation << " element " << r << "," << col;
            }
        }
        EXPECT_EQ(m.lumaOffset, c.lumaOffset) << "brightness " << c.in.brightness;
    }
}

TEST(BuildColourMatrix, TablesRoundTowardMinusInfinity) {
    const ColourMatrix m = Build(49, 49, 49, 49);  // red's U weight −2, Y weight 63
    const int uKeys[] = {0, 127, 128, 255};
    const std::int16_t uWant[] = {4, 0, 0, -4};  // (−2·127) >> 6 is −4, not −3
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(m.uTerms[kRed][uKeys[i]], uWant[i]) << "k " << uKeys[i];
    EXPECT_EQ(m.yTerms[kRed][0], 0);
    EXPECT_EQ(m.yTerms[kRed][1], 0);
    EXPECT_EQ(m.yTerms[kRed][255], 251);
    // Blue's V weight 5: (5·−1) >> 6 is −1 and (5·127) >> 6 is 9.
    EXPECT_EQ(m.vTerms[kBlue][127], -1);
    EXPECT_EQ(m.vTerms[kBlue][255], 9);
}

TEST(BuildColourMatrix, SaturationZeroGivesEqualRows) {
    for (int b = 0; b <= 99; b += 33) {
        for (int c = 0; c <= 99; c += 11) {
            for (int h = 0; h <= 99; h += 7) {
                const ColourMatrix m = Build(b, c, h, 0);
                for (int r = 1; r < 3; ++r) {
                    for (int col = 0; col < 3; ++col) {
                        ASSERT_EQ(m.colourMatrix[r][col], m.colourMatrix[0][col])
                            << "b " << b << " c " << c << " h " << h;
                    }
                }
            }
        }
    }
}

// The matrix built without the hue step or without the contrast step, from the same tables.
Matrix3 MatrixSkipping(const PictureAdjustments& a, bool skipHue, bool skipContrast) {
    Matrix3 t = MultiplyDivide(SaturationMatrix(a.saturation), rgbToHueSpace, 1024);
    if (!skipHue) {
        const std::int32_t c = hueCosine[a.hue], s = hueSine[a.hue];
        t = MultiplyDivide(t, Matrix3{{{c, s, 0}, {-s, c, 0}, {0, 0, 1024}}}, 1024);
    }
    t = Transpose(MultiplyDivide(t, hueSpaceToRgb, 2048));
    if (!skipContrast) {
        const std::int32_t f = contrastGain[(70 * a.contrast) / 100];
        for (auto& row : t) {
            for (auto& e : row)
                e = f * e / 64;
        }
    }
    return MultiplyDivide(t, yuvToRgb, 2048);
}

Matrix3 Built(const PictureAdjustments& a) {
    ColourMatrix m;
    BuildColourMatrix(a, m);
    Matrix3 out{};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            out[r][c] = m.colourMatrix[r][c];
    }
    return out;
}

TEST(BuildColourMatrix, Hue50AndContrast50AreExactIdentities) {
    for (int s = 0; s <= 99; s += 9) {
        for (int other = 0; other <= 99; other += 9) {
            const PictureAdjustments hue50{49, other, 50, s};
            EXPECT_EQ(Built(hue50), MatrixSkipping(hue50, true, false))
                << "contrast " << other << " saturation " << s;
            const PictureAdjustments contrast50{49, 50, other, s};
            EXPECT_EQ(Built(contrast50), MatrixSkipping(contrast50, false, true))
                << "hue " << other << " saturation " << s;
        }
    }
}

TEST(BuildColourMatrix, LumaOffsetFollowsBrightnessAndGain) {
    EXPECT_EQ(Build(50, 50, 49, 49).lumaOffset, 0);
    for (int c = 0; c <= 99; ++c) {
        for (int b = 1; b <= 99; ++b) {
            ASSERT_EQ(Build(b, c, 49, 49).lumaOffset - Build(b - 1, c, 49, 49).lumaOffset, 1)
                << "brightness " << b << " contrast " << c;
        }
    }
    // f = 29 + (70·contrast)/100: each step of f moves the offset by −2; neighbours can share f.
    for (int c = 1; c <= 99; ++c) {
        const int fStep = (70 * c) / 100 - (70 * (c - 1)) / 100;
        EXPECT_EQ(Build(49, c, 49, 49).lumaOffset - Build(49, c - 1, 49, 49).lumaOffset, -2 * fStep)
            << "contrast " << c;
    }
    EXPECT_EQ(Build(0, 3, 49, 49).lumaOffset, 0 - 2 * 31 + 78);
    EXPECT_EQ(Build(0, 4, 49, 49).lumaOffset, 0 - 2 * 31 + 78);
    EXPECT_EQ(Build(0, 99, 49, 49).lumaOffset, 0 - 2 * 98 + 78);
}

TEST(BuildColourMatrix, OverwritesEveryField) {
    ColourMatrix dirty;
    std::memset(static_cast<void*>(&dirty), 0x5A, sizeof dirty);  // trivially copyable
    BuildColourMatrix({49, 49, 49, 49}, dirty);
    EXPECT_TRUE(SameFields(dirty, Build(49, 49, 49, 49)));
}

TEST(ClampAdjustments, LimitsEveryValueTo0To99) {
    struct Case {
        std::int32_t raw, want;
    };
    const Case cases[] = {{INT_MIN, 0}, {-1, 0},   {0, 0},       {50, 50},
                          {99, 99},     {100, 99}, {INT_MAX, 99}};
    for (const Case& c : cases) {
        const PictureAdjustments got = ClampAdjustments({c.raw, c.raw, c.raw, c.raw});
        EXPECT_EQ(got.brightness, c.want) << c.raw;
        EXPECT_EQ(got.contrast, c.want) << c.raw;
        EXPECT_EQ(got.hue, c.want) << c.raw;
        EXPECT_EQ(got.saturation, c.want) << c.raw;
    }
    const PictureAdjustments mixed = ClampAdjustments({-5, 120, 7, INT_MIN});
    EXPECT_EQ(mixed.brightness, 0);
    EXPECT_EQ(mixed.contrast, 99);
    EXPECT_EQ(mixed.hue, 7);
    EXPECT_EQ(mixed.saturation, 0);
}

TEST(BuildColourMatrix, FarOutAdjustmentsBuildAsTheirLimits) {
    const std::int32_t farOut[] = {INT_MIN, -1, 100, 1000, INT_MAX / 70 + 1, INT_MAX};
    for (std::int32_t v : farOut) {
        const std::int32_t limit = v < 0 ? 0 : 99;
        EXPECT_TRUE(SameFields(Build(v, 49, 49, 49), Build(limit, 49, 49, 49)))
            << "brightness " << v;
        EXPECT_TRUE(SameFields(Build(49, v, 49, 49), Build(49, limit, 49, 49))) << "contrast " << v;
        EXPECT_TRUE(SameFields(Build(49, 49, v, 49), Build(49, 49, limit, 49))) << "hue " << v;
        EXPECT_TRUE(SameFields(Build(49, 49, 49, v), Build(49, 49, 49, limit)))
            << "saturation " << v;
    }
}

}  // namespace
}  // namespace orvik
