#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "colour/colour_matrix.h"
#include "colour/convert_planes.h"
#include "testing/colour/test_planes.h"

namespace orvik {
namespace {

constexpr std::uint8_t kUntouched = 0xAB;

ColourMatrix Build(const PictureAdjustments& a) {
    ColourMatrix m;
    BuildColourMatrix(a, m);
    return m;
}

// One of the two conversions with its own row stride and the row it picks for this processor,
// writing into a buffer that starts out filled with kUntouched and has a margin after the
// picture.
struct Variant {
    const char* name;
    std::size_t (*stride)(int width);
    std::function<void(const ColourMatrix&, const PlanesView&, std::uint8_t*)> convert;
};

const Variant kVariants[] = {
    {"scalar", ScalarPictureStride,
     [](const ColourMatrix& c, const PlanesView& p, std::uint8_t* out) {
         ConvertPlanesScalar(c, p, out);
     }},
    {"packed", PackedPictureStride,
     [](const ColourMatrix& c, const PlanesView& p, std::uint8_t* out) {
         ConvertPlanesPacked(c, p, out, PackedPictureStride(p.width));
     }},
};
const Variant& kScalar = kVariants[0];
const Variant& kPacked = kVariants[1];

constexpr std::size_t kMargin = 16;

std::vector<std::uint8_t> Convert(const Variant& variant, const ColourMatrix& c,
                                  const TestPlanes& planes) {
    std::vector<std::uint8_t> out(variant.stride(planes.width) * planes.height + kMargin,
                                  kUntouched);
    variant.convert(c, planes.View(), out.data());
    return out;
}

using Bgr = std::array<int, 3>;

Bgr PixelAt(const std::vector<std::uint8_t>& out, std::size_t stride, int x, int outRow) {
    const std::uint8_t* p = out.data() + static_cast<std::size_t>(outRow) * stride + 3 * x;
    return {p[0], p[1], p[2]};
}

TEST(ConvertPlanes, WorkedPixels) {
    struct Case {
        PictureAdjustments in;
        std::uint8_t y, u, v;
        Bgr packed, scalar;
    };
    const Case cases[] = {
        {{49, 49, 49, 49}, 100, 128, 128, {99, 99, 99}, {99, 99, 99}},
        {{49, 49, 49, 49}, 200, 60, 200, {34, 154, 255}, {33, 153, 255}},
        {{49, 49, 49, 49}, 0, 0, 255, {0, 0, 251}, {0, 0, 250}},
        {{80, 70, 49, 49}, 100, 128, 128, {123, 123, 123}, {124, 124, 124}},
        {{49, 99, 49, 49}, 100, 128, 128, {84, 84, 84}, {47, 47, 47}},
        {{49, 49, 49, 99}, 200, 20, 128, {0, 255, 202}, {0, 255, 202}},
    };
    for (const Case& c : cases) {
        const ColourMatrix m = Build(c.in);
        const TestPlanes planes = UniformPlanes(16, 2, c.y, c.u, c.v);
        for (const Variant* variant : {&kPacked, &kScalar}) {
            const Bgr want = variant == &kPacked ? c.packed : c.scalar;
            const auto out = Convert(*variant, m, planes);
            for (int row = 0; row < 2; ++row) {
                for (int x = 0; x < 16; ++x) {
                    ASSERT_EQ(PixelAt(out, variant->stride(16), x, row), want)
                        << variant->name << " YUV " << int{c.y} << "," << int{c.u} << ","
                        << int{c.v} << " contrast " << c.in.contrast << " pixel " << x;
                }
            }
        }
    }
}

// A picture whose every row differs, converted whole and row by row.
TEST(ConvertPlanes, BottomRowComesFirst) {
    constexpr int kWidth = 16, kHeight = 5;
    TestPlanes planes(kWidth, kHeight);
    for (int row = 0; row < kHeight; ++row) {
        for (int x = 0; x < kWidth; ++x)
            planes.Y(x, row) = static_cast<std::uint8_t>(40 * row + x);
        for (int i = 0; i < kWidth / 2; ++i) {
            planes.U(i, row) = static_cast<std::uint8_t>(60 + 30 * row + i);
            planes.V(i, row) = static_cast<std::uint8_t>(200 - 25 * row - i);
        }
    }
    const ColourMatrix m = Build({49, 49, 49, 49});
    for (const Variant& variant : kVariants) {
        const auto whole = Convert(variant, m, planes);
        for (int row = 0; row < kHeight; ++row) {
            TestPlanes single(kWidth, 1);
            for (int x = 0; x < kWidth; ++x)
                single.Y(x, 0) = planes.Y(x, row);
            for (int i = 0; i < kWidth / 2; ++i) {
                single.U(i, 0) = planes.U(i, row);
                single.V(i, 0) = planes.V(i, row);
            }
            const auto alone = Convert(variant, m, single);
            const std::size_t outRow = static_cast<std::size_t>(kHeight - 1 - row);
            EXPECT_EQ(0, std::memcmp(whole.data() + outRow * variant.stride(kWidth), alone.data(),
                                     3 * kWidth))
                << variant.name << ": picture row " << row;
        }
    }
}

TEST(ConvertPlanes, StrideAndPaddingBytes) {
    // Widths 4n+2 give the scalar conversion 2 padding bytes a row, which it must not write.
    for (int width : {16, 18, 20, 22}) {
        constexpr int kHeight = 3;
        const TestPlanes planes = UniformPlanes(width, kHeight, 100, 128, 128);
        const ColourMatrix m = Build({49, 49, 49, 49});
        for (const Variant& variant : kVariants) {
            const std::size_t stride = variant.stride(width);
            const std::size_t padding = &variant == &kScalar ? width % 4 : 0;
            ASSERT_EQ(stride, 3 * static_cast<std::size_t>(width) + padding);
            const auto out = Convert(variant, m, planes);
            for (int row = 0; row < kHeight; ++row) {
                const std::uint8_t* r = out.data() + row * stride;
                for (int b = 0; b < 3 * width; ++b) {
                    ASSERT_EQ(r[b], 99) << variant.name << " width " << width << " byte " << b;
                }
                for (std::size_t b = 3 * width; b < stride; ++b) {
                    EXPECT_EQ(r[b], kUntouched) << variant.name << " width " << width;
                }
            }
            for (std::size_t b = kHeight * stride; b < out.size(); ++b) {
                ASSERT_EQ(out[b], kUntouched) << variant.name << " wrote past the picture";
            }
        }
    }
}

TEST(ConvertPlanes, PackedHonoursAWiderStride) {
    constexpr int kWidth = 16, kHeight = 4;
    constexpr std::size_t kStride = 3 * kWidth + 8;
    const TestPlanes planes = RandomPlanes(kWidth, kHeight, 7);
    const ColourMatrix m = Build({49, 49, 49, 49});
    const auto packed = Convert(kPacked, m, planes);
    std::vector<std::uint8_t> wide(kStride * kHeight, kUntouched);
    ConvertPlanesPacked(m, planes.View(), wide.data(), kStride);
    for (int row = 0; row < kHeight; ++row) {
        EXPECT_EQ(0, std::memcmp(wide.data() + row * kStride, packed.data() + row * 3 * kWidth,
                                 3 * kWidth))
            << "row " << row;
        for (std::size_t b = 3 * kWidth; b < kStride; ++b) {
            EXPECT_EQ(wide[row * kStride + b], kUntouched) << "row " << row;
        }
    }
}

TEST(ConvertPlanes, EmptyPicturesWriteNothing) {
    const ColourMatrix m = Build({49, 49, 49, 49});
    const TestPlanes planes = UniformPlanes(16, 2, 100, 128, 128);
    for (const Variant& variant : kVariants) {
        for (auto [w, h] :
             {std::pair{16, 0}, std::pair{0, 2}, std::pair{-16, 2}, std::pair{16, -1}}) {
            PlanesView view = planes.View();
            view.width = w;
            view.height = h;
            std::vector<std::uint8_t> out(64, kUntouched);
            variant.convert(m, view, out.data());
            EXPECT_EQ(out, std::vector<std::uint8_t>(64, kUntouched))
                << variant.name << " " << w << "x" << h;
        }
    }
}

TEST(ConvertPlanes, OddWidthConvertsWholePairsOnly) {
    constexpr int kWidth = 7, kHeight = 3;
    const TestPlanes planes = UniformPlanes(kWidth, kHeight, 100, 128, 128);
    const ColourMatrix m = Build({49, 49, 49, 49});
    for (const Variant& variant : kVariants) {
        const auto out = Convert(variant, m, planes);
        const std::size_t stride = variant.stride(kWidth);
        for (int row = 0; row < kHeight; ++row) {
            for (int x = 0; x < kWidth - 1; ++x) {
                EXPECT_EQ(PixelAt(out, stride, x, row), (Bgr{99, 99, 99})) << variant.name;
            }
            EXPECT_EQ(PixelAt(out, stride, kWidth - 1, row),
                      (Bgr{kUntouched, kUntouched, kUntouched}))
                << variant.name << ": lone last column has no chroma";
        }
    }
}

TEST(ConvertPlanes, SaturationZeroGivesGrey) {
    const TestPlanes planes = RandomPlanes(32, 8, 11);
    for (int b : {0, 49, 99}) {
        for (int c : {0, 49, 99}) {
            for (int h : {0, 30, 99}) {
                const ColourMatrix m = Build({b, c, h, 0});
                for (const Variant& variant : kVariants) {
                    const auto out = Convert(variant, m, planes);
                    for (int row = 0; row < 8; ++row) {
                        for (int x = 0; x < 32; ++x) {
                            const Bgr p = PixelAt(out, variant.stride(32), x, row);
                            ASSERT_TRUE(p[0] == p[1] && p[1] == p[2])
                                << variant.name << " b " << b << " c " << c << " h " << h;
                        }
                    }
                }
            }
        }
    }
}

// With U = V = 128 the chroma weights and tables make no difference at all.
TEST(ConvertPlanes, NeutralChromaContributesNothing) {
    TestPlanes planes = RandomPlanes(256, 2, 3);
    std::fill(planes.u.begin(), planes.u.end(), 128);
    std::fill(planes.v.begin(), planes.v.end(), 128);
    for (const PictureAdjustments& a :
         {PictureAdjustments{49, 49, 49, 49}, PictureAdjustments{99, 99, 99, 99},
          PictureAdjustments{0, 99, 0, 99}}) {
        const ColourMatrix m = Build(a);
        ColourMatrix lumaOnly = m;
        for (int r = 0; r < 3; ++r) {
            lumaOnly.colourMatrix[r][1] = lumaOnly.colourMatrix[r][2] = 0;
            std::memset(lumaOnly.uTerms[r], 0, sizeof lumaOnly.uTerms[r]);
            std::memset(lumaOnly.vTerms[r], 0, sizeof lumaOnly.vTerms[r]);
        }
        for (const Variant& variant : kVariants) {
            EXPECT_EQ(Convert(variant, m, planes), Convert(variant, lumaOnly, planes))
                << variant.name << " saturation " << a.saturation;
        }
    }
}

TEST(ConvertPlanesScalar, LumaIndexIsLimitedTo0To255) {
    ColourMatrix identity;  // blue = the table index, no chroma
    for (int k = 0; k < 256; ++k)
        identity.yTerms[kBlue][k] = static_cast<std::int16_t>(k);
    struct Case {
        std::int16_t lumaOffset;
        std::uint8_t y;
        int wantBlue;
    };
    const Case cases[] = {
        {100, 200, 255}, {100, 155, 255}, {100, 154, 254}, {100, 0, 100},
        {-100, 50, 0},   {-100, 100, 0},  {-100, 101, 1},  {-100, 255, 155},
    };
    for (const Case& c : cases) {
        identity.lumaOffset = c.lumaOffset;
        const auto out = Convert(kScalar, identity, UniformPlanes(2, 1, c.y, 0, 0));
        EXPECT_EQ(out[0], c.wantBlue) << "Y " << int{c.y} << " offset " << c.lumaOffset;
        EXPECT_EQ(out[1], 0);
    }
}

TEST(ConvertPlanesScalar, ChannelSumsClampInsteadOfWrapping) {
    ColourMatrix far;
    for (int k = 0; k < 256; ++k) {
        far.yTerms[kBlue][k] = 32767;  // + 32767 from chroma: 65534 in 32 bits, −2 in 16
        far.uTerms[kBlue][k] = 16384;
        far.vTerms[kBlue][k] = 16383;
        far.yTerms[kGreen][k] = -32768;  // 16 bits would wrap the sum to +32767
        far.uTerms[kGreen][k] = -1;
        far.yTerms[kRed][k] = 300;
        far.vTerms[kRed][k] = -20;  // 280, limited to 255
    }
    const auto out = Convert(kScalar, far, UniformPlanes(2, 1, 9, 9, 9));
    EXPECT_EQ(PixelAt(out, 6, 0, 0), (Bgr{255, 0, 255}));
    EXPECT_EQ(PixelAt(out, 6, 1, 0), (Bgr{255, 0, 255}));
}

// Hand-made weights whose partial sums leave 16 bits, with the value each channel must give.
TEST(ConvertPlanesPacked, PartialSumsSaturateInTheirOrder) {
    struct Case {
        const char* name;
        ColourRow channel;
        std::int16_t yWeight, uWeight, vWeight, lumaOffset;
        std::uint8_t y, u, v;
        int want;
    };
    const Case cases[] = {
        // u·GU + y·GY = 255·157 = 40035 saturates to 32767 before v·GV = −128·200 is added:
        // (32767 − 25600) >> 6 = 111; without the inner saturation it would be 225.
        {"green inner", kGreen, 157, 0, 200, 0, 255, 128, 0, 111},
        {"blue inner", kBlue, 157, 0, 200, 0, 255, 128, 0, 111},
        // Red adds u last: v·RV + y·RY saturates first.
        {"red inner", kRed, 157, 200, 0, 0, 255, 0, 128, 111},
        // Green adds v last, so a large v·GV is not in the inner sum: 0 + 127·300 → 32767.
        {"green outer", kGreen, 0, 0, 300, -400, 0, 128, 255, 111},
        // A sum that a 16-bit wrap would turn negative: 255·157 → 32767 → 511 → 255.
        {"no wrap", kRed, 157, 0, 0, 0, 255, 128, 128, 255},
        {"no wrap low", kBlue, -157, 0, 0, 0, 255, 128, 128, 0},
        // The luma offset is added with 16-bit saturation after the shift, then clamped.
        {"offset high", kGreen, 64, 0, 0, 32767, 255, 128, 128, 255},
        {"offset low", kGreen, 64, 0, 0, -32768, 255, 128, 128, 0},
        // >> 6 rounds toward minus infinity: −1 >> 6 is −1, plus offset 1 gives 0.
        {"floor", kBlue, 0, 1, 0, 1, 0, 127, 128, 0},
        {"floor positive", kBlue, 0, 1, 0, 1, 0, 129, 128, 1},
    };
    for (const Case& c : cases) {
        ColourMatrix m;
        m.colourMatrix[c.channel][0] = c.yWeight;
        m.colourMatrix[c.channel][1] = c.uWeight;
        m.colourMatrix[c.channel][2] = c.vWeight;
        m.lumaOffset = c.lumaOffset;
        const auto out = Convert(kPacked, m, UniformPlanes(8, 1, c.y, c.u, c.v));
        const int byte = c.channel == kBlue ? 0 : c.channel == kGreen ? 1 : 2;
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(out[3 * x + byte], c.want) << c.name << " pixel " << x;
    }
}

}  // namespace
}  // namespace orvik
