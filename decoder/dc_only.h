// DecodeLumaDc: a frame's coded data to its luma DC picture, one sample a Y block, without
// transforms or colour conversion. The DC coefficient of a block is its mean, so the DC
// picture is the frame at 1/8 scale; each sample is exactly the one the full decoder fills a
// block with when the block holds its DC alone (PackedDcOnlySample or ScalarDcOnlySample, by
// the context's variant).
//
// It is the Huffman pass alone: every block's codes are walked so that the next block starts
// where it must, but no AC value is formed, the chroma DC predictors are not kept, and nothing
// is stored but the luma samples. A frame is refused, and passes or fails the end test, exactly
// where DecodeFramePlanes refuses it or fails it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "decoder/decoder_context.h"

namespace orvik {

// Y blocks across and down: the DC picture's size for the context's picture size.
struct DcPictureSize {
    int columns = 0;
    int rows = 0;
};
DcPictureSize LumaDcSize(const DecoderContext& context);

// The samples of the largest picture's DC picture (1280 / 8 x 1024 / 8).
inline constexpr std::size_t kMaxLumaDcSamples = 160 * 128;

struct LumaDcResult {
    bool endTestPassed = false;   // false also when the frame was refused
    bool invalidCodeMet = false;  // some code matched no code of its table and read as symbol 0
};

// data: the bytes after the 545-byte header; length: file size - 545. On success writes
// LumaDcSize(context) samples to out, row by row, top row first (block row m, column n at
// m x columns + n); out must hold kMaxLumaDcSamples. A refused frame writes nothing; any
// other writes every sample, also when it fails the end test. Never reads data past length.
LumaDcResult DecodeLumaDc(const DecoderContext& context, const std::uint8_t* data,
                          std::int32_t length, std::uint8_t* out);

}  // namespace orvik
