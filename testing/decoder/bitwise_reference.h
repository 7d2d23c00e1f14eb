// A straightforward entropy decoder that reads one bit at a time (ReadCodedByte, ReadBit,
// ReceiveBits, DecodeHuffman over maxCode, DecodeDc, DecodeAc), to hold the buffered reader
// and the look-ahead tables to. Past the end of the
// data it reads zero bytes and keeps counting the position.
#pragma once

#include <cstdint>
#include <vector>

#include "decoder/decoder_tables.h"

namespace orvik::testing {

class BitwiseReader {
  public:
    BitwiseReader(const std::uint8_t* data, std::int64_t length) : data_(data), length_(length) {}

    std::uint32_t ReadBit();
    std::uint32_t ReceiveBits(int n);
    std::int64_t Position() const { return position_; }
    // Unread bits of the current byte.
    int BitsLeft() const { return bitIndex_ + 1; }

  private:
    std::uint32_t ReadByte();
    std::uint32_t ReadCodedByte();

    const std::uint8_t* data_;
    std::int64_t length_;
    std::int64_t position_ = 0;
    std::uint32_t bitBuffer_ = 0;
    int bitIndex_ = -1;
};

struct BitwiseResult {
    int symbol = 0;
    bool invalid = false;  // no code of the table matched: symbol 0
};

BitwiseResult BitwiseDecodeHuffman(BitwiseReader& reader, const HuffmanCodeCounts& codeCounts,
                                   const HuffmanDecodeTable& table);

// One block: the new predictor and the 64 coefficients (natural order) as 32-bit values.
struct BitwiseBlock {
    std::int32_t predictor = 0;
    std::int32_t coefficients[64] = {};
    bool invalidCode = false;
};

BitwiseBlock BitwiseDecodeBlock(BitwiseReader& reader, const DecoderTables& tables, int slot,
                                std::int32_t predictor);

// Every block of a frame's coded data in coded order (Y, Y, U, V per MCU), and the position
// after the last one.
struct BitwiseFrame {
    std::vector<BitwiseBlock> blocks;
    std::int64_t endPosition = 0;
};

BitwiseFrame BitwiseDecodeFrame(const std::uint8_t* data, std::int64_t length, int mcuCount,
                                const DecoderTables& tables);

}  // namespace orvik::testing
