// decode's bmp and png files against Qt, which wrote them before: read back by QImage they
// hold the picture upright in RGB, and they are byte for byte the files QImage writes of the
// same picture, over widths whose rows need padding and strides wider than the rows.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <cstdint>
#include <random>
#include <vector>

#include "tools/frame/bmp_file.h"
#include "tools/frame/png_file.h"

namespace orvik {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct SizeCase {
    int width;
    int height;
    std::size_t extraStride;  // bytes after each row, not part of the picture
};

const SizeCase kSizes[] = {{1, 1, 0}, {2, 3, 0}, {5, 2, 0}, {7, 4, 3}, {16, 8, 0}, {33, 5, 17}};

// A picture of random bytes, padding included (a writer must not copy it).
Bytes RandomPicture(const SizeCase& size, std::mt19937& random) {
    Bytes rows((3 * static_cast<std::size_t>(size.width) + size.extraStride) * size.height);
    for (std::uint8_t& byte : rows) {
        byte = static_cast<std::uint8_t>(random());
    }
    return rows;
}

// What Qt wrote before: the bottom-up BGR rows as an image, flipped, saved in format.
QImage UprightImage(const BottomUpBgr& picture) {
    return QImage(picture.rows, picture.width, picture.height,
                  static_cast<qsizetype>(picture.stride), QImage::Format_BGR888)
        .mirrored(false, true);
}

Bytes QtFile(const BottomUpBgr& picture, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    UprightImage(picture).save(&buffer, format);
    return Bytes(bytes.begin(), bytes.end());
}

QImage ReadBack(const Bytes& file) {
    return QImage::fromData(file.data(), static_cast<int>(file.size()))
        .convertToFormat(QImage::Format_RGB888);
}

TEST(PictureFilesTest, BmpAndPngAreQtsFilesAndReadBackUpright) {
    std::mt19937 random(7);
    for (const SizeCase& size : kSizes) {
        const Bytes rows = RandomPicture(size, random);
        const BottomUpBgr picture{rows.data(), size.width, size.height,
                                  3 * static_cast<std::size_t>(size.width) + size.extraStride};
        const QImage want = UprightImage(picture).convertToFormat(QImage::Format_RGB888);
        for (const auto& [format, file] :
             {std::pair{"BMP", BmpFile(picture)}, std::pair{"PNG", PngFile(picture)}}) {
            SCOPED_TRACE(std::string(format) + " " + std::to_string(size.width) + "x" +
                         std::to_string(size.height));
            EXPECT_TRUE(ReadBack(file) == want);
            EXPECT_TRUE(file == QtFile(picture, format));
        }
    }
}

TEST(PictureFilesTest, AnEmptyPictureHasNoFile) {
    const std::uint8_t pixel[3] = {1, 2, 3};
    for (const BottomUpBgr& picture : {BottomUpBgr{pixel, 0, 1, 3}, BottomUpBgr{pixel, 1, 0, 3}}) {
        EXPECT_TRUE(BmpFile(picture).empty());
        EXPECT_TRUE(PngFile(picture).empty());
    }
}

}  // namespace
}  // namespace orvik
