// The DC-only pass against the full decoder, in both variants, over whole generated frames
// and damaged ones. With Y's AC quantisers at 0 every Y block of the full decoder's planes is
// 64 samples of its DC-only sample, so the planes show the DC picture eight times over: the
// DC picture must be exactly that, and the refusal, the end test and the invalid-code note
// must be the full decoder's.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "decoder/dc_only.h"
#include "decoder/decode_frame.h"
#include "testing/decoder/damage.h"
#include "testing/decoder/decoder_fixtures.h"

namespace orvik {
namespace {

using testing::TestFrame;

constexpr std::size_t kLumaTable = 379;  // quantisation table 0, zigzag order

// Y's AC quantisers set to 0 (file offsets 380..442) and its DC quantiser held to at most 7.
// At 7 and below neither transform's general path wraps where its all-zero shortcut does
// not: S16(DC) x 7 x 8192 stays within 32 bits.
TestFrame WithDcOnlyQuantisers(TestFrame frame) {
    frame.bytes[kLumaTable] = std::min<std::uint8_t>(frame.bytes[kLumaTable], 7);
    std::fill(frame.bytes.begin() + kLumaTable + 1, frame.bytes.begin() + kLumaTable + 64, 0);
    return frame;
}

// Decodes an exactly sized copy of the coded data both ways and compares.
void ExpectAsFullDecoder(const TestFrame& damaged, DecoderVariant variant,
                         const std::string& what) {
    SCOPED_TRACE(what + ", " + VariantName(variant));
    const TestFrame frame = WithDcOnlyQuantisers(damaged);
    DecoderContext context(variant);
    testing::PrepareContext(context, frame);
    const std::vector<std::uint8_t> coded(frame.CodedData(),
                                          frame.CodedData() + frame.CodedLength());
    const auto length = static_cast<std::int32_t>(coded.size());
    std::vector<std::uint8_t> dc(kMaxLumaDcSamples, 0xA5);
    const LumaDcResult have = DecodeLumaDc(context, coded.data(), length, dc.data());
    const PlanesResult want = DecodeFramePlanes(context, coded.data(), length);
    EXPECT_EQ(have.endTestPassed, want.endTestPassed);
    EXPECT_EQ(have.invalidCodeMet, want.invalidCodeMet);

    const std::vector<std::uint8_t> planes = testing::PlanesOf(context);
    const DcPictureSize size = LumaDcSize(context);
    ASSERT_EQ(size.columns, frame.width / 8);
    ASSERT_EQ(size.rows, frame.height / 8);
    int mismatches = 0;
    for (int m = 0; m < size.rows; ++m) {
        for (int n = 0; n < size.columns; ++n) {
            const std::uint8_t sample = dc[static_cast<std::size_t>(m * size.columns + n)];
            for (int r = 0; r < 64 && mismatches < 3; ++r) {
                const std::uint8_t full =
                    planes[static_cast<std::size_t>((8 * m + r / 8) * frame.width + 8 * n + r % 8)];
                if (full != sample) {
                    ADD_FAILURE() << "block row " << m << " column " << n << ": have " << +sample
                                  << ", want " << +full;
                    ++mismatches;
                }
            }
        }
    }
}

TEST(DcOnly, WholeFramesGiveTheFullDecodersBlockSamples) {
    struct FrameCase {
        int width;
        int height;
        int quality;
    };
    const FrameCase cases[] = {{16, 8, 75},    {48, 24, 5},    {48, 24, 100},   {320, 240, 50},
                               {640, 480, 75}, {640, 480, 90}, {1280, 1024, 90}};
    for (const FrameCase& c : cases) {
        const TestFrame frame = testing::MakeFrame(c.width, c.height, c.quality, 31);
        for (const DecoderVariant variant : kDecoderVariants) {
            ExpectAsFullDecoder(frame, variant,
                                std::to_string(c.width) + "x" + std::to_string(c.height) + " q" +
                                    std::to_string(c.quality));
        }
    }
}

TEST(DcOnly, DamagedFramesEndAndFailAsInTheFullDecoder) {
    const TestFrame frame = testing::MakeFrame(96, 48, 80, 32);
    const auto length = static_cast<std::size_t>(frame.CodedLength());
    struct Damaged {
        std::string what;
        TestFrame frame;
    };
    std::vector<Damaged> damaged = {
        {"fill byte before the end marker", testing::InsertBeforeEndMarker(frame, 0xFF)},
        {"bytes after the end marker", testing::AppendAfterEndMarker(frame, {0xFF, 0xD8, 1})},
    };
    for (std::size_t keep = 0; keep < length; keep += 1 + keep / 3) {
        damaged.push_back({"keeping " + std::to_string(keep) + " bytes",
                           testing::TruncateCodedData(frame, keep)});
    }
    std::mt19937 random(7);
    for (int trial = 0; trial < 80; ++trial) {
        const auto at = std::uniform_int_distribution<std::size_t>(0, length - 1)(random);
        const int bit = trial % 8;
        damaged.push_back({"bit " + std::to_string(bit) + " of byte " + std::to_string(at),
                           testing::FlipCodedBit(frame, at, bit)});
    }
    for (std::uint32_t seed = 0; seed < 20; ++seed) {
        damaged.push_back({"noise, seed " + std::to_string(seed),
                           testing::ReplaceCodedDataWithNoise(frame, 300 * seed, seed)});
    }
    TestFrame invalid = frame;  // 0xFF 0x00 pairs are all 1-bits: the missing all-ones code
    invalid.bytes.resize(kFrameHeaderSize);
    for (int i = 0; i < 400; ++i) {
        invalid.bytes.insert(invalid.bytes.end(), {0xFF, 0x00});
    }
    damaged.push_back({"invalid codes only", invalid});

    for (const Damaged& d : damaged) {
        for (const DecoderVariant variant : kDecoderVariants) {
            ExpectAsFullDecoder(d.frame, variant, d.what);
        }
    }
}

TEST(DcOnly, FramesTheFullDecoderRefusesAreRefusedWithNothingWritten) {
    const TestFrame frame = testing::MakeFrame(64, 32, 75, 33);
    const struct {
        const char* what;
        int width;
        int height;
    } sizes[] = {{"width not a multiple of 16", 40, 32},
                 {"height not a multiple of 8", 64, 30},
                 {"no height", 64, 0},
                 {"wider than 1280", 1296, 32}};
    for (const auto& size : sizes) {
        for (const DecoderVariant variant : kDecoderVariants) {
            SCOPED_TRACE(std::string(size.what) + ", " + VariantName(variant));
            DecoderContext context(variant);
            InitDecoder(context, size.width, size.height);
            LoadFrameTables(context, frame.bytes.data() + kQuantSegmentsOffset);
            std::vector<std::uint8_t> dc(kMaxLumaDcSamples, 0xA5);
            EXPECT_FALSE(DecodeLumaDc(context, frame.CodedData(), frame.CodedLength(), dc.data())
                             .endTestPassed);
            EXPECT_FALSE(
                DecodeFramePlanes(context, frame.CodedData(), frame.CodedLength()).endTestPassed);
            EXPECT_TRUE(
                std::all_of(dc.begin(), dc.end(), [](std::uint8_t b) { return b == 0xA5; }));
        }
    }
    DecoderContext freed(DecoderVariant::kPacked);  // never set up: no tables
    std::vector<std::uint8_t> dc(kMaxLumaDcSamples);
    EXPECT_FALSE(
        DecodeLumaDc(freed, frame.CodedData(), frame.CodedLength(), dc.data()).endTestPassed);
}

}  // namespace
}  // namespace orvik
