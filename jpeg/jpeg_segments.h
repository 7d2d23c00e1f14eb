// The JPEG marker segments that frame files and standard JPEG files share: a frame's coded
// data is baseline JPEG data under a fixed layout, Y 2x1 and U, V 1x1 with quantisation
// tables 0, 1, 1 and Huffman tables 0, 1, 1. The frame writer lays a frame file's header
// out of them, and a frame becomes a standard JPEG file with them.
#pragma once

#include <cstdint>
#include <vector>

namespace orvik {

// The marker byte, then the codes of the markers that are written.
inline constexpr std::uint8_t kJpegMarker = 0xFF;
inline constexpr std::uint8_t kStartOfImage = 0xD8;
inline constexpr std::uint8_t kEndOfImage = 0xD9;
inline constexpr std::uint8_t kQuantTables = 0xDB;    // DQT
inline constexpr std::uint8_t kBaselineFrame = 0xC0;  // SOF0
inline constexpr std::uint8_t kHuffmanTables = 0xC4;  // DHT
inline constexpr std::uint8_t kStartOfScan = 0xDA;    // SOS
inline constexpr std::uint8_t kApplication1 = 0xE1;   // APP1, which holds Exif

void PutJpeg16(std::vector<std::uint8_t>& out, unsigned value);
void PutJpegMarker(std::vector<std::uint8_t>& out, std::uint8_t code);
// DQT with one 8-bit table: id, then 64 quantisers in zigzag order.
void PutQuantSegment(std::vector<std::uint8_t>& out, int id, const std::uint8_t* zigzag);
// SOF0: 8-bit samples, Y 2x1 with table 0, U and V 1x1 with table 1.
void PutFrameHeader(std::vector<std::uint8_t>& out, int width, int height);
// SOS: Y with Huffman tables 0/0, U and V with 1/1, spectral range 0..63, no approximation.
void PutScanHeader(std::vector<std::uint8_t>& out);
// DHT holding the four fixed tables (DefaultHuffmanTables), which every frame is coded with.
void PutDefaultHuffmanTables(std::vector<std::uint8_t>& out);

}  // namespace orvik
