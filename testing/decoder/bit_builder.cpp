#include "testing/decoder/bit_builder.h"

#include <stdexcept>

namespace orvik::testing {

BitBuilder& BitBuilder::Bits(std::uint32_t value, int n) {
    for (int i = n - 1; i >= 0; --i) {
        bits_.push_back(((value >> i) & 1) != 0);
    }
    return *this;
}

BitBuilder& BitBuilder::Text(const std::string& bits) {
    for (const char c : bits) {
        bits_.push_back(c == '1');
    }
    return *this;
}

BitBuilder& BitBuilder::Code(const HuffmanCodeCounts& codeCounts, const HuffmanDecodeTable& table,
                             int symbol) {
    for (int length = 1; length <= kMaxCodeLength; ++length) {
        if (table.maxCode[length] < 0) {
            continue;
        }
        const int count = table.maxCode[length] - table.minCode[length] + 1;
        for (int i = 0; i < count; ++i) {
            if (codeCounts.symbols[table.valueIndex[length] + i] == symbol) {
                return Bits(static_cast<std::uint32_t>(table.minCode[length] + i), length);
            }
        }
    }
    throw std::invalid_argument("symbol not in the table");
}

std::vector<std::uint8_t> BitBuilder::StuffedBytes() const {
    std::vector<std::uint8_t> bytes;
    for (std::size_t at = 0; at < bits_.size(); at += 8) {
        std::uint8_t byte = 0;
        for (std::size_t i = 0; i < 8; ++i) {
            const bool bit = at + i < bits_.size() ? bits_[at + i] : true;
            byte = static_cast<std::uint8_t>((byte << 1) | (bit ? 1 : 0));
        }
        bytes.push_back(byte);
        if (byte == 0xFF) {
            bytes.push_back(0x00);
        }
    }
    return bytes;
}

std::vector<std::uint8_t> RandomCodedBytes(std::mt19937& random, int maxLength, int ffShare,
                                           int zeroShare, int outOf) {
    std::vector<std::uint8_t> data(std::uniform_int_distribution<int>(0, maxLength)(random));
    for (std::uint8_t& b : data) {
        const int pick = std::uniform_int_distribution<int>(0, outOf - 1)(random);
        b = pick < ffShare               ? 0xFF
            : pick < ffShare + zeroShare ? 0x00
                                         : static_cast<std::uint8_t>(random());
    }
    return data;
}

}  // namespace orvik::testing
