// The buffered reader: byte stuffing, the bits it yields, zero bytes past the end, and the
// position a byte-at-a-time reader would have.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "decoder/bit_reader.h"
#include "testing/decoder/bit_builder.h"
#include "testing/decoder/bitwise_reference.h"

namespace orvik {
namespace {

// Bits consumed so far, as the position and the unread bits of the current byte.
struct ReadState {
    std::int64_t position;
    int bitsLeftInByte;
    bool operator==(const ReadState&) const = default;
};

ReadState StateOf(const BitReader& reader) {
    return {reader.Position(), reader.BitsBuffered() % 8};
}

std::uint32_t Take(BitReader& reader, int n) {
    reader.RefillCareful();
    return reader.Take(n);
}

TEST(BitReader, StuffedFfIsOneDataByte) {
    const std::vector<std::uint8_t> data = {0xFF, 0x00, 0x12};
    BitSource readerSource(data.data(), static_cast<std::int32_t>(data.size()));
    BitReader reader(readerSource);
    EXPECT_EQ(Take(reader, 8), 0xFFu);
    EXPECT_EQ(StateOf(reader), (ReadState{2, 0}));
    EXPECT_EQ(Take(reader, 8), 0x12u);
    EXPECT_EQ(StateOf(reader), (ReadState{3, 0}));
}

TEST(BitReader, FfWithAnyOtherByteIsThatByte) {
    const std::vector<std::uint8_t> data = {0xFF, 0xD9, 0xFF, 0x01};
    BitSource readerSource(data.data(), static_cast<std::int32_t>(data.size()));
    BitReader reader(readerSource);
    EXPECT_EQ(Take(reader, 8), 0xD9u);
    EXPECT_EQ(Take(reader, 4), 0x0u);
    EXPECT_EQ(StateOf(reader), (ReadState{4, 4}));
}

TEST(BitReader, ReceiveFiveBitsAcrossABytes) {
    // Three unread bits 101 in the current byte, then 0x6C: 10101 (21), leaving 101100.
    const std::vector<std::uint8_t> data = {0b00000101, 0x6C};
    BitSource readerSource(data.data(), static_cast<std::int32_t>(data.size()));
    BitReader reader(readerSource);
    Take(reader, 5);
    EXPECT_EQ(StateOf(reader), (ReadState{1, 3}));
    EXPECT_EQ(Take(reader, 5), 21u);
    EXPECT_EQ(StateOf(reader), (ReadState{2, 6}));
    EXPECT_EQ(Take(reader, 6), 0b101100u);
}

TEST(BitReader, YieldsZeroBytesPastTheEndAndCountsThem) {
    // The byte after the data is not the reader's: it must never show up.
    const std::vector<std::uint8_t> buffer = {0xAB, 0x77};
    BitSource readerSource(buffer.data(), 1);
    BitReader reader(readerSource);
    EXPECT_EQ(Take(reader, 8), 0xABu);
    EXPECT_EQ(Take(reader, 16), 0u);
    EXPECT_EQ(StateOf(reader), (ReadState{3, 0}));
}

TEST(BitReader, FfAsTheLastByteReadsAsStuffed) {
    const std::vector<std::uint8_t> data = {0xFF};
    BitSource readerSource(data.data(), 1);
    BitReader reader(readerSource);
    EXPECT_EQ(Take(reader, 8), 0xFFu);
    EXPECT_EQ(StateOf(reader), (ReadState{2, 0}));
}

TEST(BitReader, EmptyAndNegativeLengthsReadZeros) {
    for (const std::int32_t length : {0, -5}) {
        BitSource readerSource(nullptr, length);
        BitReader reader(readerSource);
        EXPECT_EQ(Take(reader, 16), 0u) << length;
        EXPECT_EQ(reader.Position(), 2) << length;
    }
}

// The fast refill takes whole bytes with one load when none of those it takes is 0xFF, and
// pushes them one at a time otherwise: a 0xFF (stuffed, or with a data byte after it) at
// every place of the load and just past it, after every count of bits left buffered, must
// read as the bit-by-bit reader reads it, to the same position.
TEST(BitReader, FastRefillReadsAnFfAtEveryPlaceOfTheLoad) {
    for (const std::uint8_t second : {0x00, 0x5A}) {
        for (int ffAt = 0; ffAt < 12; ++ffAt) {
            for (const int consumed : {8, 9, 15, 33, 56, 63}) {
                std::vector<std::uint8_t> data(40);
                for (std::size_t i = 0; i < data.size(); ++i) {
                    data[i] = static_cast<std::uint8_t>(0x11 * (i % 15));  // no 0xFF
                }
                data[8 + ffAt] = 0xFF;
                data[9 + ffAt] = second;
                BitSource readerSource(data.data(), static_cast<std::int32_t>(data.size()));
                BitReader reader(readerSource);
                testing::BitwiseReader reference(data.data(),
                                                 static_cast<std::int32_t>(data.size()));
                reader.RefillFast();  // the first 8 bytes, no 0xFF among them
                reader.Consume(consumed);
                reference.ReceiveBits(consumed / 2);
                reference.ReceiveBits(consumed - consumed / 2);
                reader.RefillFast();
                for (int step = 0; step < 3; ++step) {
                    ASSERT_EQ(reader.Take(16), reference.ReceiveBits(16))
                        << "0xFF at " << 8 + ffAt << ", " << consumed << " bits consumed";
                    ASSERT_EQ(StateOf(reader),
                              (ReadState{reference.Position(), reference.BitsLeft()}));
                }
            }
        }
    }
}

// Random data rich in 0xFF and 0x00, read in random steps with either refill, against the
// bit-by-bit reference: same bits and same position at every step.
TEST(BitReader, MatchesTheBitwiseReaderOnRandomData) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 200; ++trial) {
        const std::vector<std::uint8_t> data = testing::RandomCodedBytes(random, 80, 3, 2, 10);
        const auto length = static_cast<std::int32_t>(data.size());
        // Exactly `length` bytes exist, so a read past the end is caught by the sanitizers.
        BitSource readerSource(data.data(), length);
        BitReader reader(readerSource);
        testing::BitwiseReader reference(data.data(), length);
        for (int step = 0; step < 60; ++step) {
            const int n = std::uniform_int_distribution<int>(1, 16)(random);
            if (reader.BytesUnfetched() >= BitReader::kRefillReach && step % 2 == 0) {
                reader.RefillFast();
            } else {
                reader.RefillCareful();
            }
            ASSERT_EQ(reader.Take(n), reference.ReceiveBits(n))
                << "trial " << trial << " step " << step;
            ASSERT_EQ(StateOf(reader), (ReadState{reference.Position(), reference.BitsLeft()}))
                << "trial " << trial << " step " << step;
        }
    }
}

}  // namespace
}  // namespace orvik
