#include "decoder/huffman_decode.h"

namespace orvik {

LongCode DecodeLongHuffman(const HuffmanCodeCounts& codeCounts, const HuffmanDecodeTable& table,
                           std::uint32_t window) {
    // Shorter lengths cannot match: the look-ahead table holds every code up to that length.
    for (int length = kLookaheadBits + 1; length <= kMaxCodeLength; ++length) {
        const auto code = static_cast<std::int32_t>(window >> (kMaxCodeLength - length));
        if (code > table.maxCode[length]) {
            continue;
        }
        const std::int32_t index = code + table.valueIndex[length] - table.minCode[length];
        if (index < 0 || index >= kMaxSymbols) {
            return {0, length, true};
        }
        return {codeCounts.symbols[index], length, false};
    }
    return {0, kMaxCodeLength, true};
}

}  // namespace orvik
