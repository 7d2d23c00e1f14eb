// Damaged frames for the decoder tests. Each function says which bytes it changes; offsets
// are within the coded data (file offset 545 onwards), and the results are whole frames.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "testing/decoder/decoder_fixtures.h"

namespace orvik::testing {

// Keeps only the first `keep` bytes of the coded data: the end marker and what follows go.
TestFrame TruncateCodedData(const TestFrame& frame, std::size_t keep);

// Inserts one byte between the last coded byte and the end marker 0xFF 0xD9.
TestFrame InsertBeforeEndMarker(const TestFrame& frame, std::uint8_t byte);

// Appends bytes after the end marker.
TestFrame AppendAfterEndMarker(const TestFrame& frame, const std::vector<std::uint8_t>& bytes);

// Flips bit `bit` (0 = least significant) of coded byte `at`.
TestFrame FlipCodedBit(const TestFrame& frame, std::size_t at, int bit);

// Replaces the whole coded data, end marker included, with `length` random bytes.
TestFrame ReplaceCodedDataWithNoise(const TestFrame& frame, std::size_t length, std::uint32_t seed);

// Overwrites header bytes [from, to) with `value`: bytes the decoder must not look at.
TestFrame FillHeaderBytes(const TestFrame& frame, std::size_t from, std::size_t to,
                          std::uint8_t value);

}  // namespace orvik::testing
