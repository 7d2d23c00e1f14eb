// The records a DecoderContext owns: the coding tables (quantisation in the variant's form,
// the fixed Huffman tables with their decode tables), the frame geometry and the scan
// description. Internal to the decoder and to its tests.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

namespace orvik {

inline constexpr int kTableSlots = 16;
inline constexpr int kComponentSlots = 16;
inline constexpr int kMaxCodeLength = 16;
inline constexpr int kMaxSymbols = 257;

// Quantisers in natural (row-major) order; entry 64 is room that nothing reads.
using QuantTable16 = std::array<std::int16_t, 65>;
using QuantTable32 = std::array<std::int32_t, 65>;

// A Huffman table as listed: code counts for lengths 1..16 and the symbols in code order.
struct HuffmanCodeCounts {
    std::int32_t counts[kMaxCodeLength + 1] = {};  // [L], L = 1..16; [0] unused
    std::int32_t symbols[kMaxSymbols] = {};
};

// Codes of a table at or below this length are found with one look-up in `lookahead`
// instead of a length-by-length search. 9, 10 and 11 bits measured alike on photographic
// frames; 10 keeps each table at 4 KiB.
inline constexpr int kLookaheadBits = 10;

// One look-ahead entry: what the next kLookaheadBits bits start with.
//   bits 0..3   code length (0: the code is longer, or there is none)
//   bits 4..7   DC tables: when the value bits follow within the window too, code length
//               plus value bits, and bits 16..31 hold the Extend()ed value (size 0: value
//               0); otherwise, and in AC tables, 0
//   bits 8..15  symbol
using LookaheadEntry = std::uint32_t;
inline int CodeLength(LookaheadEntry e) {
    return static_cast<int>(e & 0x0F);
}
inline int ReadyLength(LookaheadEntry e) {
    return static_cast<int>((e >> 4) & 0x0F);
}
inline int Symbol(LookaheadEntry e) {
    return static_cast<int>((e >> 8) & 0xFF);
}
inline std::int32_t Value(LookaheadEntry e) {
    return static_cast<std::int16_t>(e >> 16);
}

// One AC shortcut entry: the short AC codes and value bits that the next kLookaheadBits bits
// start with, taken in one look-up: one coefficient, or two when a second code of size 1..15
// and its value bits follow within the window too.
//   bits 0..7    bits the codes and their values take
//   bits 8..15   zeros before the first coefficient; kNoAcShortcut when the window does not
//                start with a code of size 1..15 whose value bits follow within it
//   bits 16..23  places from the first index to the last coefficient written: the first's
//                run, or for two the first's run, 1 and the second's run; kNoAcShortcut
//                with the above. k + 64 passes the last coefficient index for every k, so
//                one comparison tells a missing shortcut and a last place past the block.
//   bits 32..47  the first coefficient's Extend()ed value
//   bits 48..63  the last coefficient's (the first's again when there is one)
using AcShortcut = std::uint64_t;
inline constexpr int kNoAcShortcut = 64;
inline int ShortcutLength(AcShortcut e) {
    return static_cast<int>(e & 0xFF);
}
inline int ShortcutRun(AcShortcut e) {
    return static_cast<int>((e >> 8) & 0xFF);
}
inline int ShortcutLastPlace(AcShortcut e) {
    return static_cast<int>((e >> 16) & 0xFF);
}
inline std::int32_t ShortcutValue(AcShortcut e) {
    return static_cast<std::int16_t>(e >> 32);
}
inline std::int32_t ShortcutLastValue(AcShortcut e) {
    return static_cast<std::int16_t>(e >> 48);
}

// The decoding form of a HuffmanCodeCounts. maxCode/minCode/valueIndex follow the canonical
// search; lookahead is the same search answered in advance for the first kLookaheadBits
// bits, and acShortcuts (AC tables only) the same with the run and value bits decoded too.
struct HuffmanDecodeTable {
    std::int32_t maxLength = 0;
    std::int32_t maxCode[kMaxCodeLength + 1] = {};  // -1: no code of that length
    std::int32_t minCode[kMaxCodeLength + 1] = {};
    std::int32_t valueIndex[kMaxCodeLength + 1] = {};
    LookaheadEntry lookahead[1 << kLookaheadBits] = {};
    AcShortcut acShortcuts[1 << kLookaheadBits] = {};
};

struct DecoderTables {
    // Slots 0 and 1 exist in the form of the variant the context was built for.
    std::unique_ptr<QuantTable16> quant16[kTableSlots];
    std::unique_ptr<QuantTable32> quant32[kTableSlots];
    // The fixed Huffman tables' slots point at the one decoded copy every context shares
    // (BuildHuffmanTables); the others are empty.
    std::int32_t acTableCount = 0;
    const HuffmanDecodeTable* acTables[kTableSlots] = {};
    const HuffmanCodeCounts* acCodeCounts[kTableSlots] = {};
    std::int32_t dcTableCount = 0;
    const HuffmanDecodeTable* dcTables[kTableSlots] = {};
    const HuffmanCodeCounts* dcCodeCounts[kTableSlots] = {};
};

// Frame geometry; arrays are indexed by component identifier (1, 2, 3 are used).
struct FrameParams {
    std::int32_t planeOffset[kComponentSlots] = {};
    std::int32_t mcuPos[kComponentSlots] = {};
    std::int32_t nextMcuPos[kComponentSlots] = {};
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t hSampling[kComponentSlots] = {};
    std::int32_t vSampling[kComponentSlots] = {};
    std::int32_t quantSelector[kComponentSlots] = {};
    std::int32_t componentWidth[kComponentSlots] = {};
    std::int32_t componentHeight[kComponentSlots] = {};
    std::int32_t maxV = 0;
    std::int32_t maxH = 0;
    std::int32_t mcuColumns = 0;
    std::int32_t mcuRows = 0;
};

// The one interleaved scan; arrays are indexed by position in the scan.
struct ScanParams {
    std::int32_t componentCount = 0;
    std::int32_t dcPredictor[kComponentSlots] = {};
    std::int32_t mcuColumns = 0;
    std::int32_t mcuRows = 0;
    std::int32_t componentIds[kComponentSlots] = {};
    std::int32_t tableSelector[kComponentSlots] = {};
};

}  // namespace orvik
