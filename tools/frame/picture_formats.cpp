#include "tools/frame/picture_formats.h"

#include <string>

#include "tools/frame/bmp_file.h"
#include "tools/frame/png_file.h"

namespace orvik {
namespace {

BottomUpBgr PictureOf(const FrameReader& reader) {
    return {reader.Picture().data(), reader.Width(), reader.Height(), reader.PictureStride()};
}

// Binary portable pixmap: "P6 w h 255", then the rows from the top, R, G, B.
std::vector<std::uint8_t> Ppm(const BottomUpBgr& picture) {
    const std::string header =
        "P6\n" + std::to_string(picture.width) + " " + std::to_string(picture.height) + "\n255\n";
    std::vector<std::uint8_t> out(header.begin(), header.end());
    out.reserve(header.size() + static_cast<std::size_t>(picture.width) * picture.height * 3);
    for (int row = picture.height - 1; row >= 0; --row) {
        const std::uint8_t* pixel = picture.Row(row);
        for (int x = 0; x < picture.width; ++x, pixel += 3) {
            out.insert(out.end(), {pixel[2], pixel[1], pixel[0]});
        }
    }
    return out;
}

}  // namespace

std::vector<std::uint8_t> EncodePicture(OutputFormat format, const FrameReader& reader) {
    switch (format) {
        case OutputFormat::kPng:
            return PngFile(PictureOf(reader));
        case OutputFormat::kBmp:
            return BmpFile(PictureOf(reader));
        case OutputFormat::kPpm:
            return Ppm(PictureOf(reader));
        case OutputFormat::kBgr:
            return {reader.Picture().begin(), reader.Picture().end()};
        case OutputFormat::kYuv:
            return {reader.Planes().begin(), reader.Planes().end()};
    }
    return {};
}

}  // namespace orvik
