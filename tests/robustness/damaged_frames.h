// Damaged frame files for the robustness matrix. Each function names the bytes it changes
// (offsets are file offsets) and returns the whole damaged file; the frame given is a
// complete frame as the frame writer makes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvik::test {

using Bytes = std::vector<std::uint8_t>;

// Keeps the first `keep` bytes.
Bytes CutAt(const Bytes& frame, std::size_t keep);
// Keeps all but the last `drop` bytes.
Bytes CutBeforeEnd(const Bytes& frame, std::size_t drop);
// Zeroes the last `count` bytes (the end marker among them): a file whose end was never
// written.
Bytes ZeroTail(const Bytes& frame, std::size_t count);
// Flips bit `bit` (0 = least significant) of byte `at`.
Bytes FlipBit(const Bytes& frame, std::size_t at, int bit);
// Sets bytes [from, to) to value.
Bytes Fill(const Bytes& frame, std::size_t from, std::size_t to, std::uint8_t value);
// Puts `byte` between the last coded byte and the end marker.
Bytes InsertBeforeEndMarker(const Bytes& frame, std::uint8_t byte);
// Appends bytes after the end marker.
Bytes AppendAfterEnd(const Bytes& frame, const Bytes& tail);

}  // namespace orvik::test
