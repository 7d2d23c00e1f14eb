#include "tools/frame/picture_formats.h"

#include <QBuffer>
#include <QImage>
#include <string>

namespace orvik {
namespace {

// The bottom-up BGR picture as an upright image; Qt writes png and bmp from it.
QImage UprightImage(const FrameReader& reader) {
    const QImage bottomUp(reader.Picture().data(), reader.Width(), reader.Height(),
                          static_cast<qsizetype>(reader.PictureStride()), QImage::Format_BGR888);
    return bottomUp.mirrored(false, true);
}

std::vector<std::uint8_t> QtEncoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, format)) {
        return {};
    }
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

// Binary portable pixmap: "P6 w h 255", then the rows from the top, R, G, B.
std::vector<std::uint8_t> Ppm(const FrameReader& reader) {
    const int width = reader.Width();
    const int height = reader.Height();
    const std::string header =
        "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    std::vector<std::uint8_t> out(header.begin(), header.end());
    out.reserve(header.size() + static_cast<std::size_t>(width) * height * 3);
    const std::uint8_t* picture = reader.Picture().data();
    for (int row = height - 1; row >= 0; --row) {
        const std::uint8_t* pixel =
            picture + static_cast<std::size_t>(row) * reader.PictureStride();
        for (int x = 0; x < width; ++x, pixel += 3) {
            out.insert(out.end(), {pixel[2], pixel[1], pixel[0]});
        }
    }
    return out;
}

}  // namespace

std::vector<std::uint8_t> EncodePicture(OutputFormat format, const FrameReader& reader) {
    switch (format) {
        case OutputFormat::kPng:
            return QtEncoded(UprightImage(reader), "PNG");
        case OutputFormat::kBmp:
            return QtEncoded(UprightImage(reader), "BMP");
        case OutputFormat::kPpm:
            return Ppm(reader);
        case OutputFormat::kBgr:
            return {reader.Picture().begin(), reader.Picture().end()};
        case OutputFormat::kYuv:
            return {reader.Planes().begin(), reader.Planes().end()};
    }
    return {};
}

}  // namespace orvik
