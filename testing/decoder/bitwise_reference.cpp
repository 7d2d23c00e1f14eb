#include "testing/decoder/bitwise_reference.h"

#include "decoder/zigzag.h"

namespace orvik::testing {

std::uint32_t BitwiseReader::ReadByte() {
    const std::int64_t at = position_++;
    return at < length_ ? data_[at] : 0u;
}

std::uint32_t BitwiseReader::ReadCodedByte() {
    const std::uint32_t b = ReadByte();
    if (b != 0xFF) {
        return b;
    }
    const std::uint32_t b2 = ReadByte();
    return b2 == 0 ? 0xFF : b2;
}

std::uint32_t BitwiseReader::ReadBit() {
    if (bitIndex_ < 0) {
        bitBuffer_ = ReadCodedByte();
        bitIndex_ = 7;
    }
    const std::uint32_t bit = (bitBuffer_ >> bitIndex_) & 1;
    --bitIndex_;
    return bit;
}

std::uint32_t BitwiseReader::ReceiveBits(int n) {
    std::uint32_t value = 0;
    for (int i = 0; i < n; ++i) {
        value = (value << 1) | ReadBit();
    }
    return value;
}

BitwiseResult BitwiseDecodeHuffman(BitwiseReader& reader, const HuffmanCodeCounts& codeCounts,
                                   const HuffmanDecodeTable& table) {
    std::int32_t code = static_cast<std::int32_t>(reader.ReadBit());
    int length = 1;
    while (code > table.maxCode[length]) {
        if (length == 16) {
            return {0, true};
        }
        code = 2 * code + static_cast<std::int32_t>(reader.ReadBit());
        ++length;
    }
    const std::int32_t index = code + table.valueIndex[length] - table.minCode[length];
    if (index < 0 || index > 256) {
        return {0, true};
    }
    return {codeCounts.symbols[index], false};
}

namespace {

std::int32_t ExtendValue(std::uint32_t v, int s) {
    const std::int32_t value = static_cast<std::int32_t>(v);
    return ((v >> (s - 1)) & 1) == 0 ? value - (1 << s) + 1 : value;
}

}  // namespace

BitwiseBlock BitwiseDecodeBlock(BitwiseReader& reader, const DecoderTables& tables, int slot,
                                std::int32_t predictor) {
    BitwiseBlock block;
    const BitwiseResult dc =
        BitwiseDecodeHuffman(reader, *tables.dcCodeCounts[slot], *tables.dcTables[slot]);
    block.invalidCode = dc.invalid;
    if (dc.symbol != 0) {
        predictor += ExtendValue(reader.ReceiveBits(dc.symbol), dc.symbol);
    }
    block.predictor = predictor;
    block.coefficients[0] = predictor;
    int k = 1;
    while (k <= 63) {
        const BitwiseResult ac =
            BitwiseDecodeHuffman(reader, *tables.acCodeCounts[slot], *tables.acTables[slot]);
        block.invalidCode = block.invalidCode || ac.invalid;
        const int r = ac.symbol >> 4;
        const int s = ac.symbol & 15;
        if (s != 0) {
            k += r;
            if (k > 63) {
                break;
            }
            block.coefficients[ZigzagToNatural[k]] = ExtendValue(reader.ReceiveBits(s), s);
            ++k;
        } else if (r == 15) {
            k += 16;
        } else {
            break;
        }
    }
    return block;
}

BitwiseFrame BitwiseDecodeFrame(const std::uint8_t* data, std::int64_t length, int mcuCount,
                                const DecoderTables& tables) {
    BitwiseFrame frame;
    BitwiseReader reader(data, length);
    std::int32_t predictors[3] = {0, 0, 0};
    constexpr int kSlots[4] = {0, 0, 1, 1};
    constexpr int kComponent[4] = {0, 0, 1, 2};
    for (int mcu = 0; mcu < mcuCount; ++mcu) {
        for (int b = 0; b < 4; ++b) {
            const int c = kComponent[b];
            frame.blocks.push_back(BitwiseDecodeBlock(reader, tables, kSlots[b], predictors[c]));
            predictors[c] = frame.blocks.back().predictor;
        }
    }
    frame.endPosition = reader.Position();
    return frame;
}

}  // namespace orvik::testing
