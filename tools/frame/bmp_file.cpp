#include "tools/frame/bmp_file.h"

#include <limits>

namespace orvik {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;   // BITMAPINFOHEADER
constexpr std::uint32_t kDotsPerMetre = 3937;  // 100 dots an inch, the toolkit's default

// Appends value in little-endian order, in bytes bytes.
void PutLittle(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

}  // namespace

std::vector<std::uint8_t> BmpFile(const BottomUpBgr& picture) {
    if (picture.width <= 0 || picture.height <= 0) {
        return {};
    }
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(picture.width);
    const std::size_t paddedRow = (rowBytes + 3) / 4 * 4;
    const std::size_t pixelBytes = paddedRow * static_cast<std::size_t>(picture.height);
    const std::size_t fileBytes = kFileHeaderBytes + kInfoHeaderBytes + pixelBytes;
    if (fileBytes > std::numeric_limits<std::uint32_t>::max()) {
        return {};
    }
    std::vector<std::uint8_t> out;
    out.reserve(fileBytes);
    out.insert(out.end(), {'B', 'M'});
    PutLittle(out, static_cast<std::uint32_t>(fileBytes), 4);
    PutLittle(out, 0, 4);  // reserved
    PutLittle(out, kFileHeaderBytes + kInfoHeaderBytes, 4);
    PutLittle(out, kInfoHeaderBytes, 4);
    PutLittle(out, static_cast<std::uint32_t>(picture.width), 4);
    PutLittle(out, static_cast<std::uint32_t>(picture.height), 4);  // positive: bottom-up
    PutLittle(out, 1, 2);                                           // planes
    PutLittle(out, 24, 2);                                          // bits a pixel
    PutLittle(out, 0, 4);                                           // BI_RGB
    PutLittle(out, static_cast<std::uint32_t>(pixelBytes), 4);
    PutLittle(out, kDotsPerMetre, 4);
    PutLittle(out, kDotsPerMetre, 4);
    PutLittle(out, 0, 4);  // colours used: none, no palette
    PutLittle(out, 0, 4);  // important colours: all
    // The decoder's rows are already BMP's: the bottom first, blue, green, red.
    for (int row = 0; row < picture.height; ++row) {
        const std::uint8_t* pixels = picture.Row(row);
        out.insert(out.end(), pixels, pixels + rowBytes);
        out.resize(out.size() + paddedRow - rowBytes, 0);
    }
    return out;
}

}  // namespace orvik
