// DefaultHuffmanTables: the decoder's only Huffman tables, whatever a frame file holds.
// Four tables back to back, each as one class/slot byte (high nibble 0 = DC, else AC; low
// nibble the slot), 16 code counts for lengths 1..16, then the symbols in code order:
// DC 0, AC 0, DC 1, AC 1. DC symbols are size categories 0..9 (differences up to +-511);
// AC symbols are (run << 4) | size with sizes 1..8 (values up to +-255), plus 0x00 (end
// of block) and 0xF0 (sixteen zeros). Each table leaves out only the all-ones code of its
// longest length.
#pragma once

#include <array>
#include <cstdint>

namespace orvik {

inline constexpr std::size_t kDefaultHuffmanTablesSize = 348;
extern const std::array<std::uint8_t, kDefaultHuffmanTablesSize> DefaultHuffmanTables;

}  // namespace orvik
