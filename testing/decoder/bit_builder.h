// Coded test data written bit by bit: codes of the fixed tables by symbol, value bits, and
// byte stuffing as the recording device applies it (a data byte 0xFF is stored 0xFF 0x00).
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "decoder/decoder_tables.h"

namespace orvik::testing {

class BitBuilder {
  public:
    // Appends the low n bits of value, most significant first.
    BitBuilder& Bits(std::uint32_t value, int n);
    // Appends a text of '0' and '1' characters.
    BitBuilder& Text(const std::string& bits);
    // Appends the code of symbol in the table (which must hold it).
    BitBuilder& Code(const HuffmanCodeCounts& codeCounts, const HuffmanDecodeTable& table,
                     int symbol);

    int BitCount() const { return static_cast<int>(bits_.size()); }
    // Packs the bits, pads the last byte with 1-bits, stuffs every 0xFF with 0x00.
    std::vector<std::uint8_t> StuffedBytes() const;

  private:
    std::vector<bool> bits_;
};

// Random coded bytes, up to maxLength of them: of every `outOf` bytes, ffShare are 0xFF and
// zeroShare 0x00 on average, so that stuffed pairs and pairs read as their second byte abound.
std::vector<std::uint8_t> RandomCodedBytes(std::mt19937& random, int maxLength, int ffShare,
                                           int zeroShare, int outOf);

}  // namespace orvik::testing
