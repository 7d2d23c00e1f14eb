#include "jpeg/jpeg_segments.h"

#include <iterator>

#include "decoder/default_huffman_tables.h"

namespace orvik {

void PutJpeg16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

void PutJpegMarker(std::vector<std::uint8_t>& out, std::uint8_t code) {
    out.push_back(kJpegMarker);
    out.push_back(code);
}

void PutQuantSegment(std::vector<std::uint8_t>& out, int id, const std::uint8_t* zigzag) {
    PutJpegMarker(out, kQuantTables);
    PutJpeg16(out, 2 + 1 + 64);
    out.push_back(static_cast<std::uint8_t>(id));
    out.insert(out.end(), zigzag, zigzag + 64);
}

void PutFrameHeader(std::vector<std::uint8_t>& out, int width, int height) {
    PutJpegMarker(out, kBaselineFrame);
    PutJpeg16(out, 17);
    out.push_back(8);
    PutJpeg16(out, static_cast<unsigned>(height));
    PutJpeg16(out, static_cast<unsigned>(width));
    const std::uint8_t components[] = {3, 1, 0x21, 0, 2, 0x11, 1, 3, 0x11, 1};
    out.insert(out.end(), std::begin(components), std::end(components));
}

void PutScanHeader(std::vector<std::uint8_t>& out) {
    PutJpegMarker(out, kStartOfScan);
    PutJpeg16(out, 12);
    const std::uint8_t body[] = {3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0};
    out.insert(out.end(), std::begin(body), std::end(body));
}

void PutDefaultHuffmanTables(std::vector<std::uint8_t>& out) {
    PutJpegMarker(out, kHuffmanTables);
    PutJpeg16(out, static_cast<unsigned>(2 + DefaultHuffmanTables.size()));
    out.insert(out.end(), DefaultHuffmanTables.begin(), DefaultHuffmanTables.end());
}

}  // namespace orvik
