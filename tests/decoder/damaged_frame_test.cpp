// Damaged frames: truncated at many points, single bit flips, noise in place of the coded
// data, data made of invalid codes. Each decodes without fault (these run under the address
// and undefined-behaviour sanitizers too), and passes or fails the end test exactly where
// the bit-by-bit reference says, from exactly the coded bytes it was given.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "decoder/decode_frame.h"
#include "testing/decoder/bitwise_reference.h"
#include "testing/decoder/damage.h"
#include "testing/decoder/decoder_fixtures.h"

namespace orvik {
namespace {

using testing::TestFrame;

// Decodes from an exactly sized copy of the coded bytes and compares the result with the
// reference's end test at the reference's final position.
// Returns whether an invalid code was met.
bool ExpectResultAsReference(const TestFrame& frame, DecoderVariant variant,
                             const std::string& what) {
    DecoderContext context(variant);
    testing::PrepareContext(context, frame);
    const std::vector<std::uint8_t> coded(frame.CodedData(),
                                          frame.CodedData() + frame.CodedLength());
    const auto length = static_cast<std::int32_t>(coded.size());
    const PlanesResult have = DecodeFramePlanes(context, coded.data(), length);
    const std::int64_t end =
        testing::BitwiseDecodeFrame(coded.data(), length, context.mcuCount, *context.tables)
            .endPosition;
    const bool want = end + 2 <= length && coded[end] == 0xFF && coded[end + 1] == 0xD9;
    EXPECT_EQ(have.endTestPassed, want) << what << ", " << VariantName(variant);
    return have.invalidCodeMet;
}

TEST(DamagedFrames, TruncatedAtManyPoints) {
    const TestFrame frame = testing::MakeFrame(96, 48, 80, 21);
    const auto length = static_cast<std::size_t>(frame.CodedLength());
    for (std::size_t keep = 0; keep < length; keep += 1 + keep / 4) {
        for (const DecoderVariant variant : kDecoderVariants) {
            ExpectResultAsReference(
                testing::TruncateCodedData(frame, keep), variant,
                "keeping " + std::to_string(keep) + " of " + std::to_string(length));
        }
    }
}

TEST(DamagedFrames, SingleBitFlips) {
    const TestFrame frame = testing::MakeFrame(96, 48, 80, 22);
    std::mt19937 random(5);
    for (int trial = 0; trial < 150; ++trial) {
        const auto at =
            std::uniform_int_distribution<std::size_t>(0, frame.CodedLength() - 1)(random);
        const int bit = std::uniform_int_distribution<int>(0, 7)(random);
        ExpectResultAsReference(testing::FlipCodedBit(frame, at, bit),
                                trial % 2 == 0 ? DecoderVariant::kPacked : DecoderVariant::kScalar,
                                "bit " + std::to_string(bit) + " of byte " + std::to_string(at));
    }
}

TEST(DamagedFrames, NoiseInPlaceOfTheCodedData) {
    const TestFrame frame = testing::MakeFrame(160, 80, 75, 23);
    std::mt19937 random(6);
    for (int trial = 0; trial < 60; ++trial) {
        const auto length = std::uniform_int_distribution<std::size_t>(0, 9000)(random);
        ExpectResultAsReference(testing::ReplaceCodedDataWithNoise(frame, length, trial),
                                kDecoderVariants[trial % 2],
                                "noise of " + std::to_string(length) + " bytes");
    }
}

TEST(DamagedFrames, DataOfInvalidCodesOnly) {
    // 0xFF 0x00 pairs are all 1-bits: every code is the missing all-ones one.
    TestFrame frame = testing::MakeFrame(32, 16, 75, 24);
    frame.bytes.resize(kFrameHeaderSize);
    for (int i = 0; i < 400; ++i) {
        frame.bytes.push_back(0xFF);
        frame.bytes.push_back(0x00);
    }
    for (const DecoderVariant variant : kDecoderVariants) {
        EXPECT_TRUE(ExpectResultAsReference(frame, variant, "invalid codes"));
    }
}

}  // namespace
}  // namespace orvik
