#include "decoder/huffman_tables.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <memory>

#include "decoder/default_huffman_tables.h"
#include "decoder/huffman_decode.h"

namespace orvik {
namespace {

constexpr int kDefaultTableCount = 4;

// Canonical codes: each length's codes follow on from the previous length's, shifted left.
void AssignCodes(const HuffmanCodeCounts& codeCounts, std::int32_t (&codes)[kMaxSymbols]) {
    std::int32_t code = 0;
    int symbol = 0;
    for (int length = 1; length <= kMaxCodeLength; ++length) {
        for (int i = 0; i < codeCounts.counts[length] && symbol < kMaxSymbols; ++i) {
            codes[symbol++] = code++;
        }
        code <<= 1;
    }
}

AcShortcut NoAcShortcut() {
    return static_cast<AcShortcut>(kNoAcShortcut) << 8 | static_cast<AcShortcut>(kNoAcShortcut)
                                                             << 16;
}

AcShortcut TwoCoefficients(int length, int run, int lastPlace, std::int16_t value,
                           std::int16_t lastValue) {
    return static_cast<AcShortcut>(length) | static_cast<AcShortcut>(run) << 8 |
           static_cast<AcShortcut>(lastPlace) << 16 |
           static_cast<AcShortcut>(static_cast<std::uint16_t>(value)) << 32 |
           static_cast<AcShortcut>(static_cast<std::uint16_t>(lastValue)) << 48;
}

AcShortcut OneCoefficient(int length, int run, std::int16_t value) {
    return TwoCoefficients(length, run, run, value, value);
}

// Every kLookaheadBits-bit window that starts with a code of at most that length names its
// length and symbol, and, when the symbol's value bits follow within the window, the value:
// in the look-ahead entry for DC tables (sizes 0..15), in the AC shortcut for AC tables
// (sizes 1..15, with the run). Windows that start with a longer code (or none) stay 0, and
// without an AC shortcut.
void FillLookahead(const HuffmanCodeCounts& codeCounts, const std::int32_t (&codes)[kMaxSymbols],
                   bool dc, HuffmanDecodeTable& table) {
    std::fill(std::begin(table.lookahead), std::end(table.lookahead), 0);
    std::fill(std::begin(table.acShortcuts), std::end(table.acShortcuts), NoAcShortcut());
    int symbol = 0;
    for (int length = 1; length <= kLookaheadBits; ++length) {
        for (int i = 0; i < codeCounts.counts[length]; ++i, ++symbol) {
            const int spare = kLookaheadBits - length;
            const int first = codes[symbol] << spare;
            if (first + (1 << spare) > (1 << kLookaheadBits)) {
                return;  // more codes than the lengths allow: not a table this decoder has
            }
            const int value = codeCounts.symbols[symbol] & 0xFF;
            const int size = dc ? value : value & 0x0F;
            const bool hasValue = size <= spare && (dc || size != 0);
            for (int tail = 0; tail < (1 << spare); ++tail) {
                LookaheadEntry entry =
                    static_cast<LookaheadEntry>(length) | static_cast<LookaheadEntry>(value) << 8;
                if (hasValue) {
                    const auto bits = static_cast<std::uint32_t>(tail >> (spare - size));
                    const auto extended =
                        static_cast<std::uint32_t>(size == 0 ? 0 : Extend(bits, size)) & 0xFFFF;
                    const auto ready = static_cast<std::uint32_t>(length + size);
                    if (dc) {
                        entry |= ready << 4 | extended << 16;
                    } else {
                        table.acShortcuts[first + tail] =
                            OneCoefficient(ready, value >> 4, static_cast<std::int16_t>(extended));
                    }
                }
                table.lookahead[first + tail] = entry;
            }
        }
    }
}

// Joins each one-coefficient shortcut with the one that the rest of its window starts with,
// when that one's code and value bits lie wholly within the rest.
void PairAcShortcuts(HuffmanDecodeTable& table) {
    constexpr std::uint32_t kWindowMask = (1u << kLookaheadBits) - 1;
    const auto singles = std::to_array(table.acShortcuts);
    for (std::uint32_t window = 0; window <= kWindowMask; ++window) {
        const AcShortcut first = singles[window];
        const int length = ShortcutLength(first);
        if (ShortcutRun(first) == kNoAcShortcut || length >= kLookaheadBits) {
            continue;
        }
        const AcShortcut second = singles[(window << length) & kWindowMask];
        if (ShortcutRun(second) == kNoAcShortcut ||
            length + ShortcutLength(second) > kLookaheadBits) {
            continue;
        }
        table.acShortcuts[window] =
            TwoCoefficients(length + ShortcutLength(second), ShortcutRun(first),
                            ShortcutRun(first) + 1 + ShortcutRun(second),
                            static_cast<std::int16_t>(ShortcutValue(first)),
                            static_cast<std::int16_t>(ShortcutValue(second)));
    }
}

// One table of DefaultHuffmanTables, read and decoded.
struct FixedTable {
    bool dc = false;
    int slot = 0;
    HuffmanCodeCounts codeCounts;
    HuffmanDecodeTable decodeTable;
};
using FixedTableSet = std::array<FixedTable, kDefaultTableCount>;

std::unique_ptr<const FixedTableSet> ReadFixedTables() {
    auto set = std::make_unique<FixedTableSet>();
    std::size_t at = 0;
    for (FixedTable& fixed : *set) {
        const int classSlot = DefaultHuffmanTables[at++];
        fixed.slot = classSlot & 0x0F;
        fixed.dc = (classSlot >> 4) == 0;
        int symbolCount = 0;
        for (int length = 1; length <= kMaxCodeLength; ++length) {
            fixed.codeCounts.counts[length] = DefaultHuffmanTables[at++];
            symbolCount += fixed.codeCounts.counts[length];
        }
        for (int i = 0; i < symbolCount; ++i) {
            fixed.codeCounts.symbols[i] = DefaultHuffmanTables[at++];
        }
        BuildHuffmanDecodeTable(fixed.codeCounts, fixed.dc, fixed.decodeTable);
    }
    return set;
}

// Read at the first call (the first set-up of any context, on whichever thread) and never
// changed: about 53 KiB that each set-up used to allocate and decode anew (a quarter of a
// ResetDecoder's time; bench/NOTES.md).
const FixedTableSet& FixedTables() {
    static const std::unique_ptr<const FixedTableSet> tables = ReadFixedTables();
    return *tables;
}

}  // namespace

void BuildHuffmanDecodeTable(const HuffmanCodeCounts& codeCounts, bool dc,
                             HuffmanDecodeTable& table) {
    std::int32_t codes[kMaxSymbols] = {};
    AssignCodes(codeCounts, codes);
    int j = 0;
    table.maxLength = 1;
    for (int length = 1; length <= kMaxCodeLength; ++length) {
        if (codeCounts.counts[length] == 0) {
            table.maxCode[length] = -1;
            continue;
        }
        table.valueIndex[length] = j;
        table.minCode[length] = codes[j];
        j += codeCounts.counts[length] - 1;
        table.maxCode[length] = codes[j];
        ++j;
        table.maxLength = length;
    }
    FillLookahead(codeCounts, codes, dc, table);
    if (!dc) {
        PairAcShortcuts(table);
    }
}

void BuildHuffmanTables(DecoderTables& tables) {
    for (const FixedTable& fixed : FixedTables()) {
        if (fixed.dc) {
            tables.dcCodeCounts[fixed.slot] = &fixed.codeCounts;
            tables.dcTables[fixed.slot] = &fixed.decodeTable;
            tables.dcTableCount = std::max(tables.dcTableCount, fixed.slot + 1);
        } else {
            tables.acCodeCounts[fixed.slot] = &fixed.codeCounts;
            tables.acTables[fixed.slot] = &fixed.decodeTable;
            tables.acTableCount = std::max(tables.acTableCount, fixed.slot + 1);
        }
    }
}

}  // namespace orvik
