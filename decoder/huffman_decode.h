// Huffman decoding of one block: DecodeHuffman, Extend, DecodeDc and DecodeAc over a
// BitReader, under a refill policy (FastRefill or CarefulRefill).
//
// DecodeHuffman gives exactly the symbols and bit counts of the bit-by-bit canonical search
// (take a bit; while the code is above maxCode of its length, append a bit): a code of at
// most kLookaheadBits bits is answered by the look-ahead table, longer ones by the search
// over the 16 bits peeked. DecodeDc also takes the value of a short code from the look-ahead
// entry when its bits follow within the window, and DecodeAc the run and value from the AC
// shortcut: the same bits, consumed at once. A code that matches no length up to 16 costs
// 16 bits and gives symbol 0, and the reader's source notes it (BitSource::invalidCodeMet);
// decoding goes on.
#pragma once

#include <cstdint>

#include "decoder/bit_reader.h"
#include "decoder/decoder_tables.h"
#include "decoder/zigzag.h"

namespace orvik {

// With the fixed tables a code is at most 16 bits and carries at most 9 value bits (DC
// size categories reach 9, AC sizes 8), so one top-up covers a code and its value.
inline constexpr int kMaxSymbolBits = kMaxCodeLength + 9;
inline constexpr int kMaxCoefficientIndex = 63;

// Source bytes an MCU can use at most: one DC and 63 AC symbols a block, each with its
// value bits, four blocks, and every coded byte a stuffed pair. An MCU that starts with this
// many bytes ahead, plus the reach of a refill, never makes FastRefill read past the end.
inline constexpr int kBlocksPerMcu = 4;
inline constexpr int kMaxBlockBits = (1 + kMaxCoefficientIndex) * kMaxSymbolBits;
inline constexpr int kMaxMcuSourceBytes = 2 * ((kBlocksPerMcu * kMaxBlockBits + 7) / 8);
inline constexpr int kFastMcuBytes = kMaxMcuSourceBytes + 2 * BitReader::kRefillReach;

// The search for codes longer than kLookaheadBits; window holds the next 16 bits. Gives the
// symbol and the bits it costs. It does not take the reader: a reader held in a local
// keeps its bit buffer in registers only while its address is never passed on.
struct LongCode {
    int symbol;
    int length;
    bool invalid;  // no code of the table: symbol 0
};
LongCode DecodeLongHuffman(const HuffmanCodeCounts& codeCounts, const HuffmanDecodeTable& table,
                           std::uint32_t window);

inline int TakeLongCode(BitReader& reader, const HuffmanCodeCounts& codeCounts,
                        const HuffmanDecodeTable& table) {
    const LongCode code = DecodeLongHuffman(codeCounts, table, reader.Peek(kMaxCodeLength));
    reader.Consume(code.length);
    if (code.invalid) {
        reader.NoteInvalidCode();
    }
    return code.symbol;
}

inline LookaheadEntry PeekLookahead(const BitReader& reader, const HuffmanDecodeTable& table) {
    return table.lookahead[reader.Peek(kLookaheadBits)];
}

// Needs 16 bits buffered.
inline int DecodeHuffman(BitReader& reader, const HuffmanCodeCounts& codeCounts,
                         const HuffmanDecodeTable& table) {
    const LookaheadEntry entry = PeekLookahead(reader, table);
    if (CodeLength(entry) == 0) {
        return TakeLongCode(reader, codeCounts, table);
    }
    reader.Consume(CodeLength(entry));
    return Symbol(entry);
}

// v holds s bits (1..15): values with the top bit clear stand for the negative range,
// 0 .. 2^(s-1) - 1 for -(2^s - 1) .. -2^(s-1).
inline std::int32_t Extend(std::uint32_t v, int s) {
    const auto value = static_cast<std::int32_t>(v);
    return (v >> (s - 1)) != 0 ? value : value - (1 << s) + 1;
}

struct HuffmanPair {
    const HuffmanCodeCounts* codeCounts;
    const HuffmanDecodeTable* table;
};

// The DC difference: returns the new predictor.
template <class Refill>
[[gnu::always_inline]] inline std::int32_t DecodeDc(BitReader& reader, const HuffmanPair& dc,
                                                    std::int32_t predictor) {
    Refill::Ensure(reader, kMaxSymbolBits);
    const LookaheadEntry entry = PeekLookahead(reader, *dc.table);
    if (ReadyLength(entry) != 0) {
        reader.Consume(ReadyLength(entry));
        return predictor + Value(entry);
    }
    const int size = DecodeHuffman(reader, *dc.codeCounts, *dc.table);
    if (size == 0) {
        return predictor;
    }
    return predictor + Extend(reader.Take(size), size);
}

// Entries 1..63 of block (natural order), which must be 0 on entry. True when the first AC
// symbol ends the block, so that it holds its DC alone.
//
// The common case, one or two short codes and their value bits, takes one look-up of the AC
// shortcuts and one branch; the two stores are to the same place when the shortcut holds one
// coefficient. Two coefficients a look-up, where they fit, halve the serial steps of peek,
// look-up and shift that bound this loop (bench/NOTES.md has what each step measured).
template <class Refill, class Coefficient>
[[gnu::always_inline]] inline bool DecodeAc(BitReader& reader, const HuffmanPair& ac,
                                            Coefficient* block) {
    for (int k = 1; k <= kMaxCoefficientIndex;) {
        Refill::Ensure(reader, kMaxSymbolBits);
        const AcShortcut shortcut = ac.table->acShortcuts[reader.Peek(kLookaheadBits)];
        const int last = k + ShortcutLastPlace(shortcut);
        if (last <= kMaxCoefficientIndex) {
            reader.Consume(ShortcutLength(shortcut));
            block[ZigzagToNatural[k + ShortcutRun(shortcut)]] =
                static_cast<Coefficient>(ShortcutValue(shortcut));
            block[ZigzagToNatural[last]] = static_cast<Coefficient>(ShortcutLastValue(shortcut));
            k = last + 1;
            continue;
        }
        const int symbol = DecodeHuffman(reader, *ac.codeCounts, *ac.table);
        const int run = symbol >> 4;
        const int size = symbol & 0x0F;
        if (size != 0) {
            k += run;
            if (k > kMaxCoefficientIndex) {
                return false;  // a run past the block ends it; its value bits are not read
            }
            block[ZigzagToNatural[k]] = static_cast<Coefficient>(Extend(reader.Take(size), size));
            ++k;
        } else if (run == 15) {
            k += 16;  // sixteen zeros
        } else {
            return k == 1;  // end of block
        }
    }
    return false;
}

}  // namespace orvik
