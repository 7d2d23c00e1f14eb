#include "testing/decoder/damage.h"

#include <random>

namespace orvik::testing {

TestFrame TruncateCodedData(const TestFrame& frame, std::size_t keep) {
    TestFrame out = frame;
    out.bytes.resize(kFrameHeaderSize + keep);
    return out;
}

TestFrame InsertBeforeEndMarker(const TestFrame& frame, std::uint8_t byte) {
    TestFrame out = frame;
    out.bytes.insert(out.bytes.end() - 2, byte);
    return out;
}

TestFrame AppendAfterEndMarker(const TestFrame& frame, const std::vector<std::uint8_t>& bytes) {
    TestFrame out = frame;
    out.bytes.insert(out.bytes.end(), bytes.begin(), bytes.end());
    return out;
}

TestFrame FlipCodedBit(const TestFrame& frame, std::size_t at, int bit) {
    TestFrame out = frame;
    out.bytes[kFrameHeaderSize + at] ^= static_cast<std::uint8_t>(1u << bit);
    return out;
}

TestFrame ReplaceCodedDataWithNoise(const TestFrame& frame, std::size_t length,
                                    std::uint32_t seed) {
    TestFrame out = frame;
    out.bytes.resize(kFrameHeaderSize + length);
    std::mt19937 random(seed);
    for (std::size_t i = kFrameHeaderSize; i < out.bytes.size(); ++i) {
        out.bytes[i] = static_cast<std::uint8_t>(random());
    }
    return out;
}

TestFrame FillHeaderBytes(const TestFrame& frame, std::size_t from, std::size_t to,
                          std::uint8_t value) {
    TestFrame out = frame;
    for (std::size_t i = from; i < to; ++i) {
        out.bytes[i] = value;
    }
    return out;
}

}  // namespace orvik::testing
