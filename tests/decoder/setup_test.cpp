// Set-up figures of the decoder context for the system's picture sizes, the quantisation
// tables taken from a frame header, and the life cycle.
#include <gtest/gtest.h>

#include <vector>

#include "decoder/decoder_context.h"
#include "decoder/decoder_tables.h"
#include "decoder/frame_setup.h"

namespace orvik {
namespace {

struct Geometry {
    int width;
    int height;
    int componentWidths[3];
    int componentHeight;
    int planeOffsets[3];
    int mcuColumns;
    int mcuRows;
    int mcuCount;
};

TEST(DecoderSetUp, GeometryForPictureSizes) {
    const Geometry cases[] = {
        {640, 480, {640, 320, 320}, 480, {0, 307200, 460800}, 40, 60, 2400},
        {320, 240, {320, 160, 160}, 240, {0, 76800, 115200}, 20, 30, 600},
        {100, 48, {100, 50, 50}, 48, {0, 4800, 7200}, 7, 6, 42},
        {1280, 1024, {1280, 640, 640}, 1024, {0, 1310720, 1966080}, 80, 128, 10240},
        {16, 0, {16, 8, 8}, 0, {0, 0, 0}, 1, 0, -1},
    };
    for (const DecoderVariant variant : kDecoderVariants) {
        const bool packed = variant == DecoderVariant::kPacked;
        for (const Geometry& g : cases) {
            DecoderContext context(variant);
            InitDecoder(context, 640, 480);
            ResetDecoder(context, g.width, g.height);
            const FrameParams& f = *context.frame;
            const std::string name = std::to_string(g.width) + "x" + std::to_string(g.height);
            for (int id = 1; id <= 3; ++id) {
                EXPECT_EQ(f.componentWidth[id], g.componentWidths[id - 1]) << name << " id " << id;
                EXPECT_EQ(f.componentHeight[id], g.componentHeight) << name << " id " << id;
                EXPECT_EQ(f.planeOffset[id], g.planeOffsets[id - 1]) << name << " id " << id;
            }
            EXPECT_EQ(f.mcuColumns, g.mcuColumns) << name;
            EXPECT_EQ(f.mcuRows, g.mcuRows) << name;
            EXPECT_EQ(context.scan->mcuColumns, g.mcuColumns) << name;
            EXPECT_EQ(context.mcuCount, g.mcuCount) << name;
            EXPECT_EQ(DecoderWidth(context), g.width) << name;
            EXPECT_EQ(DecoderHeight(context), g.height) << name;
            // The quantisation tables exist in the variant's form only.
            EXPECT_EQ(context.tables->quant16[0] != nullptr, packed) << name;
            EXPECT_EQ(context.tables->quant32[1] != nullptr, !packed) << name;
        }
    }
}

TEST(DecoderSetUp, InitSetsTheAdjustmentsAndResetKeepsThem) {
    DecoderContext context(DecoderVariant::kScalar);
    InitDecoder(context, 640, 480);
    EXPECT_EQ(context.adjustments.brightness, 49);
    EXPECT_EQ(context.adjustments.contrast, 49);
    EXPECT_EQ(context.adjustments.hue, 49);
    EXPECT_EQ(context.adjustments.saturation, 49);
    StorePictureAdjustments(context, PictureAdjustments{80, 70, -3, 250});
    BuildColourMatrix(context);
    const std::int16_t offset = context.colour.lumaOffset;
    ResetDecoder(context, 320, 240);
    EXPECT_EQ(context.adjustments.brightness, 80);
    EXPECT_EQ(context.adjustments.contrast, 70);
    EXPECT_EQ(context.adjustments.hue, 0) << "stored values are limited to 0..99";
    EXPECT_EQ(context.adjustments.saturation, 99);
    EXPECT_EQ(context.colour.lumaOffset, offset);
}

TEST(DecoderSetUp, LoadFrameTablesReadsZigzagOrderAfterTheSegmentHeads) {
    // header[k] is file byte 374 + k: table 0 at 379..442, table 1 at 448..511.
    std::vector<std::uint8_t> header(138, 0xEE);
    for (int k = 0; k < 64; ++k) {
        header[5 + k] = static_cast<std::uint8_t>(k + 1);
        header[74 + k] = static_cast<std::uint8_t>(200 - k);
    }
    header[6] = 7;  // file offset 380: zigzag index 1, natural entry 1 (row 0, column 1)
    header[7] = 9;  // file offset 381: zigzag index 2, natural entry 8 (row 1, column 0)
    header[74] = 200;
    for (const DecoderVariant variant : kDecoderVariants) {
        DecoderContext context(variant);
        InitDecoder(context, 640, 480);
        LoadFrameTables(context, header.data());
        auto entry = [&](int slot, int at) {
            return variant == DecoderVariant::kPacked ? int{(*context.tables->quant16[slot])[at]}
                                                      : int{(*context.tables->quant32[slot])[at]};
        };
        EXPECT_EQ(entry(0, 0), 1);
        EXPECT_EQ(entry(0, 1), 7);
        EXPECT_EQ(entry(0, 8), 9);
        EXPECT_EQ(entry(0, 63), 64);
        EXPECT_EQ(entry(1, 0), 200) << "a quantiser byte of 200 is 200";
        EXPECT_EQ(entry(1, 9), 200 - 4) << "zigzag index 4 is natural entry 9";
        EXPECT_EQ(entry(1, 63), 200 - 63);
    }
}

TEST(DecoderSetUp, FreeDecoderReleasesEverything) {
    DecoderContext context(DecoderVariant::kPacked);
    InitDecoder(context, 640, 480);
    FreeDecoder(context);
    EXPECT_EQ(context.tables, nullptr);
    EXPECT_EQ(context.frame, nullptr);
    EXPECT_EQ(context.scan, nullptr);
    EXPECT_EQ(context.planes, nullptr);
    EXPECT_EQ(DecoderWidth(context), 0);
    std::vector<std::uint8_t> header(138, 16);
    LoadFrameTables(context, header.data());  // no tables: nothing to write, no fault
}

}  // namespace
}  // namespace orvik
