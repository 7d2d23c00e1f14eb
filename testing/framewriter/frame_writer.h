// The frame writer: RGB pictures to frame files as the recording device lays them out. For
// tests, tools and benchmarks (export/frame_jpeg.h turns frame files back to standard JPEG).
#pragma once

#include <cstdint>
#include <vector>

namespace orvik {

// rgb: width x height pixels, top row first, R, G, B bytes. Encodes baseline 4:2:2 (Y 2x1,
// U and V 1x1; quantisation tables 0, 1, 1; Huffman tables 0, 1, 1, exactly the fixed
// DefaultHuffmanTables) at the given quality (1..100) and lays the result out as a frame
// file: the 374-byte leading header, the two quantisation segments at 374 and 443, the
// frame header at 512 (height at 517, width at 519), the scan header ending at 544, the
// coded data from 545, then 0xFF 0xD9. Width and height must lie in 1..65535.
std::vector<std::uint8_t> EncodeFrame(const std::uint8_t* rgb, int width, int height, int quality);

}  // namespace orvik
