#include "decoder/huffman_tables.h"

#include <algorithm>
#include <cstddef>

#include "decoder/default_huffman_tables.h"

namespace orvik {
namespace {

constexpr int kDefaultTableCount = 4;

// Canonical codes: each length's codes follow on from the previous length's, shifted left.
void AssignCodes(const HuffmanSpec& spec, std::int32_t (&codes)[kMaxSymbols]) {
    std::int32_t code = 0;
    int symbol = 0;
    for (int length = 1; length <= kMaxCodeLength; ++length) {
        for (int i = 0; i < spec.counts[length] && symbol < kMaxSymbols; ++i) {
            codes[symbol++] = code++;
        }
        code <<= 1;
    }
}

// Every kLookaheadBits-bit window that starts with a code of at most that length names its
// length and symbol; windows that start with a longer code (or none) stay 0.
void FillLookahead(const HuffmanSpec& spec, const std::int32_t (&codes)[kMaxSymbols],
                   HuffmanDecodeTable& table) {
    std::fill(std::begin(table.lookahead), std::end(table.lookahead), 0);
    int symbol = 0;
    for (int length = 1; length <= kLookaheadBits; ++length) {
        for (int i = 0; i < spec.counts[length]; ++i, ++symbol) {
            const int spare = kLookaheadBits - length;
            const int first = codes[symbol] << spare;
            const auto entry =
                static_cast<std::uint16_t>((length << 8) | (spec.symbols[symbol] & 0xFF));
            std::fill_n(table.lookahead + first, 1 << spare, entry);
        }
    }
}

}  // namespace

void BuildHuffmanDecodeTable(const HuffmanSpec& spec, HuffmanDecodeTable& table) {
    std::int32_t codes[kMaxSymbols] = {};
    AssignCodes(spec, codes);
    int j = 0;
    table.maxLength = 1;
    for (int length = 1; length <= kMaxCodeLength; ++length) {
        if (spec.counts[length] == 0) {
            table.maxCode[length] = -1;
            continue;
        }
        table.valueIndex[length] = j;
        table.minCode[length] = codes[j];
        j += spec.counts[length] - 1;
        table.maxCode[length] = codes[j];
        ++j;
        table.maxLength = length;
    }
    FillLookahead(spec, codes, table);
}

void BuildHuffmanTables(DecoderTables& tables) {
    std::size_t at = 0;
    for (int t = 0; t < kDefaultTableCount; ++t) {
        const int classSlot = DefaultHuffmanTables[at++];
        const int slot = classSlot & 0x0F;
        const bool isDc = (classSlot >> 4) == 0;
        auto spec = std::make_unique<HuffmanSpec>();
        int symbolCount = 0;
        for (int length = 1; length <= kMaxCodeLength; ++length) {
            spec->counts[length] = DefaultHuffmanTables[at++];
            symbolCount += spec->counts[length];
        }
        for (int i = 0; i < symbolCount; ++i) {
            spec->symbols[i] = DefaultHuffmanTables[at++];
        }
        auto table = std::make_unique<HuffmanDecodeTable>();
        BuildHuffmanDecodeTable(*spec, *table);
        if (isDc) {
            tables.dcSpecs[slot] = std::move(spec);
            tables.dcTables[slot] = std::move(table);
            tables.dcTableCount = std::max(tables.dcTableCount, slot + 1);
        } else {
            tables.acSpecs[slot] = std::move(spec);
            tables.acTables[slot] = std::move(table);
            tables.acTableCount = std::max(tables.acTableCount, slot + 1);
        }
    }
}

}  // namespace orvik
