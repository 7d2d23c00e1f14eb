// Whole generated frames through DecodeFramePlanes and DecodeFrame: the planes against
// libjpeg-turbo and against the block-by-block reference, contexts of both variants side by
// side, the end test, the bytes the decoder ignores, and the frames it refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "colour/convert_planes.h"
#include "decoder/decode_frame.h"
#include "decoder/decoder_tables.h"
#include "decoder/idct_packed.h"
#include "decoder/idct_scalar.h"
#include "testing/decoder/bitwise_reference.h"
#include "testing/decoder/damage.h"
#include "testing/decoder/decoder_fixtures.h"

namespace orvik {
namespace {

using testing::TestFrame;

// The planes built from the bitwise reference's coefficients with the portable transform of
// the context's variant, each block put at its raster place: an independent assembly of the
// frame.
std::vector<std::uint8_t> AssembledPlanes(const TestFrame& frame, const DecoderContext& context) {
    const testing::BitwiseFrame coded = testing::BitwiseDecodeFrame(
        frame.CodedData(), frame.CodedLength(), context.mcuCount, *context.tables);
    const int w = frame.width;
    const int h = frame.height;
    std::vector<std::uint8_t> planes(2 * static_cast<std::size_t>(w) * h);
    const std::size_t planeStart[3] = {0, static_cast<std::size_t>(w) * h,
                                       static_cast<std::size_t>(w) * h * 3 / 2};
    const int strides[3] = {w, w / 2, w / 2};
    const int mcuColumns = w / 16;
    for (std::size_t b = 0; b < coded.blocks.size(); ++b) {
        const int mcu = static_cast<int>(b / 4);
        const int kind = static_cast<int>(b % 4);  // Y left, Y right, U, V
        const int component = kind < 2 ? 0 : kind - 1;
        const int blockColumn = component == 0 ? 2 * (mcu % mcuColumns) + kind : mcu % mcuColumns;
        const int top = 8 * (mcu / mcuColumns);
        std::uint8_t* out = planes.data() + planeStart[component] +
                            static_cast<std::size_t>(top) * strides[component] + 8 * blockColumn;
        const int slot = component == 0 ? 0 : 1;
        const std::int32_t* coefficients = coded.blocks[b].coefficients;
        if (context.variant == DecoderVariant::kPacked) {
            std::int16_t block16[64];
            for (int i = 0; i < 64; ++i) {
                block16[i] = static_cast<std::int16_t>(coefficients[i]);
            }
            InverseDctPacked(block16, context.tables->quant16[slot]->data(), out,
                             strides[component]);
        } else {
            InverseDctScalar(coefficients, context.tables->quant32[slot]->data(), out,
                             strides[component], 128, 255);
        }
    }
    return planes;
}

struct FrameCase {
    int width;
    int height;
    int quality;
};

TEST(FrameDecoding, PlanesEqualTheReferenceInBothVariants) {
    const FrameCase cases[] = {{16, 8, 75},    {48, 24, 5},    {48, 24, 100},   {320, 240, 50},
                               {640, 480, 75}, {640, 480, 95}, {1280, 1024, 90}};
    for (const FrameCase& c : cases) {
        const TestFrame frame = testing::MakeFrame(c.width, c.height, c.quality, 11);
        const std::string name = std::to_string(c.width) + "x" + std::to_string(c.height) + " q" +
                                 std::to_string(c.quality);
        const std::vector<std::uint8_t> libjpeg = testing::ReferencePlanes(frame);
        ASSERT_FALSE(libjpeg.empty()) << name;
        for (const DecoderVariant variant : kDecoderVariants) {
            DecoderContext context(variant);
            testing::PrepareContext(context, frame);
            const PlanesResult result =
                DecodeFramePlanes(context, frame.CodedData(), frame.CodedLength());
            ASSERT_TRUE(result.endTestPassed) << name;
            EXPECT_FALSE(result.invalidCodeMet) << name;
            const std::vector<std::uint8_t> have = testing::PlanesOf(context);
            EXPECT_TRUE(have == AssembledPlanes(frame, context))
                << name << " " << VariantName(variant)
                << ": planes differ from the reference assembly";
            if (variant == DecoderVariant::kScalar) {
                const auto diff = std::mismatch(have.begin(), have.end(), libjpeg.begin());
                EXPECT_TRUE(diff.first == have.end())
                    << name << ": first difference from libjpeg-turbo at byte "
                    << (diff.first - have.begin());
            }
        }
    }
}

bool Decode(const TestFrame& frame, DecoderVariant variant,
            std::vector<std::uint8_t>* planes = nullptr) {
    DecoderContext context(variant);
    testing::PrepareContext(context, frame);
    // Exactly the coded bytes, so that a read past them is caught by the sanitizers.
    const std::vector<std::uint8_t> coded(frame.CodedData(),
                                          frame.CodedData() + frame.CodedLength());
    const bool passed =
        DecodeFramePlanes(context, coded.data(), static_cast<std::int32_t>(coded.size()))
            .endTestPassed;
    if (planes != nullptr) {
        *planes = testing::PlanesOf(context);
    }
    return passed;
}

TEST(FrameDecoding, EndTest) {
    const TestFrame frame = testing::MakeFrame(64, 32, 75, 4);
    const std::size_t coded = static_cast<std::size_t>(frame.CodedLength());
    struct Case {
        const char* name;
        TestFrame frame;
        bool want;
    };
    const Case cases[] = {
        {"as written", frame, true},
        {"bytes after the end marker are ignored",
         testing::AppendAfterEndMarker(frame, {0x12, 0xFF, 0x00}), true},
        {"a fill byte 0xFF before the end marker", testing::InsertBeforeEndMarker(frame, 0xFF),
         false},
        {"a zero byte before the end marker", testing::InsertBeforeEndMarker(frame, 0x00), false},
        {"the last marker byte missing", testing::TruncateCodedData(frame, coded - 1), false},
        {"no end marker", testing::TruncateCodedData(frame, coded - 2), false},
        {"ran out of data", testing::TruncateCodedData(frame, coded / 2), false},
        {"one coded byte", testing::TruncateCodedData(frame, 1), false},
        {"no coded data", testing::TruncateCodedData(frame, 0), false},
    };
    for (const Case& c : cases) {
        for (const DecoderVariant variant : kDecoderVariants) {
            EXPECT_EQ(Decode(c.frame, variant), c.want) << c.name << ", " << VariantName(variant);
        }
    }
}

TEST(FrameDecoding, BytesOutsideTheTablesAndTheCodedDataAreNotLookedAt) {
    const TestFrame frame = testing::MakeFrame(64, 32, 60, 8);
    std::vector<std::uint8_t> want;
    ASSERT_TRUE(Decode(frame, DecoderVariant::kScalar, &want));
    struct Range {
        std::size_t from;
        std::size_t to;
    };
    // Leading header, first segment head and id, second segment head and id, frame header
    // up to the height, rest of the frame header and the scan header.
    for (const Range r :
         {Range{0, 374}, Range{374, 379}, Range{443, 448}, Range{512, 517}, Range{521, 545}}) {
        std::vector<std::uint8_t> have;
        EXPECT_TRUE(Decode(testing::FillHeaderBytes(frame, r.from, r.to, 0x5C),
                           DecoderVariant::kScalar, &have))
            << r.from;
        EXPECT_TRUE(have == want) << "bytes " << r.from << ".." << r.to - 1
                                  << " changed the picture";
    }
}

TEST(FrameDecoding, UnsupportedSizesAreRefusedWithoutWriting) {
    const TestFrame frame = testing::MakeFrame(64, 32, 75, 2);
    struct Size {
        int width;
        int height;
    };
    const Size sizes[] = {{100, 48},    {640, 0},  {0, 480}, {1296, 1024},
                          {1280, 1032}, {640, 12}, {-16, 8}, {65535, 65535}};
    for (const DecoderVariant variant : kDecoderVariants) {
        for (const Size s : sizes) {
            DecoderContext context(variant);
            InitDecoder(context, s.width, s.height);
            LoadFrameTables(context, frame.bytes.data() + kQuantSegmentsOffset);
            std::memset(context.planes.get(), 0x5A, kPlanesBufferBytes);
            std::vector<std::uint8_t> rgb(64, 0x33);
            EXPECT_FALSE(
                DecodeFramePlanes(context, frame.CodedData(), frame.CodedLength()).endTestPassed)
                << s.width << "x" << s.height;
            EXPECT_EQ(DecodeFrame(context, frame.CodedData(), frame.CodedLength(), rgb.data()), 0);
            EXPECT_TRUE(std::all_of(context.planes.get(), context.planes.get() + kPlanesBufferBytes,
                                    [](std::uint8_t b) { return b == 0x5A; }))
                << s.width << "x" << s.height << ": planes written";
            EXPECT_TRUE(
                std::all_of(rgb.begin(), rgb.end(), [](std::uint8_t b) { return b == 0x33; }));
        }
    }
}

// The picture a context must give for the frame: the reference assembly of its planes
// through its variant's own conversion, with its colour fields.
std::vector<std::uint8_t> WantedPicture(const TestFrame& frame, const DecoderContext& context) {
    const std::vector<std::uint8_t> planes = AssembledPlanes(frame, context);
    const std::size_t lumaBytes = static_cast<std::size_t>(frame.width) * frame.height;
    const PlanesView view{planes.data(),
                          planes.data() + lumaBytes,
                          planes.data() + lumaBytes + lumaBytes / 2,
                          frame.width,
                          frame.height,
                          frame.width,
                          frame.width / 2};
    std::vector<std::uint8_t> picture(PictureStride(context.variant, frame.width) * frame.height);
    if (context.variant == DecoderVariant::kPacked) {
        ConvertPlanesPacked(context.colour, view, picture.data(), PackedPictureStride(frame.width));
    } else {
        ConvertPlanesScalar(context.colour, view, picture.data());
    }
    return picture;
}

// A context of each variant, made in either order and used in turn, each decoding a frame
// twice: each gives its own variant's planes and picture every time, whatever the other did.
TEST(FrameDecoding, ContextsOfBothVariantsSideBySideKeepTheirOwnResults) {
    const TestFrame frame = testing::MakeFrame(64, 32, 80, 12);
    for (const DecoderVariant madeFirst : kDecoderVariants) {
        const DecoderVariant madeSecond = madeFirst == DecoderVariant::kPacked
                                              ? DecoderVariant::kScalar
                                              : DecoderVariant::kPacked;
        DecoderContext first(madeFirst);
        testing::PrepareContext(first, frame);
        DecoderContext second(madeSecond);
        testing::PrepareContext(second, frame);
        std::vector<std::uint8_t> pictures[2];
        for (int round = 0; round < 2; ++round) {
            for (int i = 0; i < 2; ++i) {
                DecoderContext& context = i == 0 ? first : second;
                const std::string name = std::string(VariantName(context.variant)) + ", " +
                                         VariantName(madeFirst) + " made first, round " +
                                         std::to_string(round);
                pictures[i].assign(PictureStride(context.variant, frame.width) * frame.height, 0);
                ASSERT_EQ(DecodeFrame(context, frame.CodedData(), frame.CodedLength(),
                                      pictures[i].data()),
                          1)
                    << name;
                EXPECT_TRUE(testing::PlanesOf(context) == AssembledPlanes(frame, context)) << name;
                EXPECT_TRUE(pictures[i] == WantedPicture(frame, context)) << name;
            }
        }
        EXPECT_EQ(first.variant, madeFirst);
        EXPECT_EQ(second.variant, madeSecond);
        EXPECT_NE(pictures[0], pictures[1]) << "the two variants should give different pictures";
    }
}

TEST(FrameDecoding, FreedContextIsRefusedUntilSetUpAgain) {
    const TestFrame frame = testing::MakeFrame(32, 16, 75, 2);
    for (const DecoderVariant variant : kDecoderVariants) {
        DecoderContext context(variant);
        testing::PrepareContext(context, frame);
        FreeDecoder(context);
        EXPECT_FALSE(
            DecodeFramePlanes(context, frame.CodedData(), frame.CodedLength()).endTestPassed)
            << VariantName(variant);
        testing::PrepareContext(context, frame);
        EXPECT_TRUE(
            DecodeFramePlanes(context, frame.CodedData(), frame.CodedLength()).endTestPassed)
            << VariantName(variant);
    }
}

// DecodeFrame converts each row of MCUs as it is decoded: the picture is the whole conversion
// of the planes, for one row of MCUs and for many, nothing is written past the picture, and a
// frame that fails the end test has converted its rows all the same (which is why the frame
// reader decodes into a second picture where a failed frame must leave the shown one).
TEST(FrameDecoding, DecodeFrameConvertsRowByRowAndFailsOnlyAtTheEnd) {
    constexpr std::size_t kGuard = 64;
    const FrameCase cases[] = {{16, 8, 75}, {48, 16, 75}, {64, 40, 90}, {1280, 1024, 75}};
    for (const FrameCase& c : cases) {
        const TestFrame frame = testing::MakeFrame(c.width, c.height, c.quality, 6);
        for (const DecoderVariant variant : kDecoderVariants) {
            const std::string name = std::to_string(c.width) + "x" + std::to_string(c.height) +
                                     " " + VariantName(variant);
            DecoderContext context(variant);
            testing::PrepareContext(context, frame);
            const std::size_t bytes = PictureStride(variant, frame.width) * frame.height;
            std::vector<std::uint8_t> rgb(bytes + kGuard, 0x33);
            ASSERT_EQ(DecodeFrame(context, frame.CodedData(), frame.CodedLength(), rgb.data()), 1)
                << name;
            std::vector<std::uint8_t> want(bytes + kGuard, 0x33);
            ConvertPlanesToRgb(context, context.planes.get(), want.data());
            EXPECT_TRUE(rgb == want) << name << ": differs from the whole conversion";
            EXPECT_TRUE(std::all_of(rgb.begin() + bytes, rgb.end(),
                                    [](std::uint8_t b) { return b == 0x33; }))
                << name << ": written past the picture";

            const TestFrame damaged = testing::InsertBeforeEndMarker(frame, 0xFF);
            std::vector<std::uint8_t> failed(bytes + kGuard, 0x44);
            EXPECT_EQ(
                DecodeFrame(context, damaged.CodedData(), damaged.CodedLength(), failed.data()), 0)
                << name;
            EXPECT_TRUE(std::equal(failed.begin(), failed.begin() + bytes, want.begin()))
                << name << ": the failed frame's rows were converted as they were decoded";
        }
    }
}

// Any band of picture rows converts to exactly those rows of the whole picture; bands that
// reach outside the picture convert nothing.
TEST(FrameDecoding, PlaneRowsConvertToTheirPlaceInTheWholePicture) {
    const TestFrame frame = testing::MakeFrame(48, 24, 80, 9);
    for (const DecoderVariant variant : kDecoderVariants) {
        DecoderContext context(variant);
        testing::PrepareContext(context, frame);
        ASSERT_TRUE(
            DecodeFramePlanes(context, frame.CodedData(), frame.CodedLength()).endTestPassed);
        const std::size_t stride = PictureStride(variant, frame.width);
        std::vector<std::uint8_t> whole(stride * frame.height, 0);
        ConvertPlanesToRgb(context, context.planes.get(), whole.data());
        // Bands of every height, last band first, so that each lands on its own rows.
        for (const int band : {1, 3, 8, 24}) {
            std::vector<std::uint8_t> banded(whole.size(), 0);
            for (int first = (frame.height - 1) / band * band; first >= 0; first -= band) {
                ConvertPlaneRows(context, context.planes.get(), first,
                                 std::min(band, frame.height - first), banded.data());
            }
            EXPECT_TRUE(banded == whole) << VariantName(variant) << ", bands of " << band;
        }
        std::vector<std::uint8_t> untouched(whole.size(), 0x55);
        for (const auto& [first, count] : {std::pair{-1, 2}, std::pair{20, 5}, std::pair{0, 0},
                                           std::pair{24, 1}, std::pair{3, -2}}) {
            ConvertPlaneRows(context, context.planes.get(), first, count, untouched.data());
        }
        EXPECT_TRUE(std::all_of(untouched.begin(), untouched.end(), [](std::uint8_t b) {
            return b == 0x55;
        })) << VariantName(variant);
    }
}

}  // namespace
}  // namespace orvik
