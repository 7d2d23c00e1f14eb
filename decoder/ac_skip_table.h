// AcSkipTable: for a pass that needs only to know where each block's AC codes end (the DC-only
// pass), the whole AC codes and value bits that the next kSkipBits bits hold, answered in one
// look-up: the bits they take, how far they move the block's coefficient index (run + 1 for a
// coefficient, 16 for a run of sixteen zeros), and whether the last of them is the end of
// block. The codes are those of DecodeHuffman over the table, so a pass that consumes an
// entry's bits is where DecodeAc would be after the same codes.
//
// 14 bits hold most chroma blocks at usual qualities whole (a short DC code, its value and
// the end of block) and several luma AC codes a look-up; each table takes 32 KiB. With it the
// DC-only pass takes 0.3 to 0.4 of the full decode's time (bench/RESULTS.md).
#pragma once

#include <cstdint>

#include "decoder/decoder_tables.h"
#include "decoder/huffman_decode.h"

namespace orvik {

inline constexpr int kSkipBits = 14;

//   bits 0..5   bits taken (0: the window does not start with a whole code and its value bits,
//               or with a code of the table at all); six bits, so that a shift of the bit
//               buffer by the whole entry shifts by them alone on processors whose shifts
//               take their count modulo 64, and the look-up's result feeds the next shift
//               without a masking step
//   bits 6..12  places the index moves on, one more when the last code is the end of block:
//               the codes all belong to the block at index k exactly when k plus this is at
//               most 64 (a coefficient at 63 ends the block, and a code after it is the next
//               block's); kNoSkip when no bits are taken, which passes 64 from any index
//   bit 13      the last code is the end of block
using AcSkipEntry = std::uint16_t;
inline constexpr int kNoSkip = 127;

inline int SkipLength(AcSkipEntry e) {
    return e & 0x3F;
}
inline int SkipPlaces(AcSkipEntry e) {
    return (e >> 6) & 0x7F;
}
inline bool SkipEndsBlock(AcSkipEntry e) {
    return (e >> 13) != 0;
}

struct AcSkipTable {
    AcSkipEntry entries[1 << kSkipBits];
};

// The skip table of an AC table: its entries start with an AC code. Built at the first call
// for that table and kept for the run, from any thread: the decode tables a context uses
// are the one fixed copy the run keeps (BuildHuffmanTables), so one skip table each serves
// every context.
const AcSkipTable& AcSkipTableOf(const HuffmanPair& ac);
// The same for a whole block of a component coded with dc and ac: its entries start with the
// DC code and its value bits (no entry when those do not fit the window), then hold the AC
// codes as above, the index starting at 1.
const AcSkipTable& BlockSkipTableOf(const HuffmanPair& dc, const HuffmanPair& ac);

// One entry of each kind, for a window of kSkipBits bits.
AcSkipEntry SkipEntryOf(const HuffmanPair& ac, std::uint32_t window);
AcSkipEntry BlockSkipEntryOf(const HuffmanPair& dc, const HuffmanPair& ac, std::uint32_t window);

}  // namespace orvik
