#include "shell/bottom_up_picture.h"

#include <QString>
#include <vector>

#include "library/file_manager.h"

namespace orvik {

QImage LibraryPicture(const CMavFileManager& files) {
    const int w = files.PictureWidth(), h = files.PictureHeight();
    const std::size_t stride = files.PictureStride();
    if (w <= 0 || h <= 0 || stride * std::size_t(h) > kPictureBitsBytes) {
        return {};
    }
    return QImage(files.PictureBits(), w, h, qsizetype(stride), QImage::Format_BGR888);
}

QImage UprightLibraryPicture(const CMavFileManager& files) {
    return LibraryPicture(files).mirrored(false, true);
}

void DrawBottomUp(const QImage& picture, QImage& surface, const QRect& target, const QRect& clip) {
    const QRect area = target.intersected(clip).intersected(surface.rect());
    if (picture.isNull() || area.isEmpty()) {
        return;
    }
    const qint64 w = picture.width(), h = picture.height();
    const qint64 dw = target.width(), dh = target.height();
    // Set-up: the source byte offset of every column drawn, so the row loop only copies.
    std::vector<qsizetype> sourceColumn(area.width());
    for (int x = area.left(); x <= area.right(); ++x) {
        sourceColumn[x - area.left()] = 3 * ((x - target.left()) * w / dw);
    }
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const qint64 fromTop = (y - target.top()) * h / dh;
        const uchar* source = picture.constScanLine(int(h - 1 - fromTop));
        auto* out = reinterpret_cast<QRgb*>(surface.scanLine(y)) + area.left();
        for (const qsizetype offset : sourceColumn) {
            const uchar* bgr = source + offset;
            *out++ = qRgb(bgr[2], bgr[1], bgr[0]);
        }
    }
}

QImage LoadStoredBitmap(int id) {
    const QImage stored(QString(":/bitmaps/%1.bmp").arg(id));
    return stored.isNull() ? stored : stored.convertToFormat(QImage::Format_BGR888);
}

QImage UprightBitmap(int id, const QSize& size) {
    const QImage stored = LoadStoredBitmap(id);
    if (stored.isNull() || size.isEmpty()) {
        return {};
    }
    QImage upright(size, QImage::Format_RGB32);
    DrawBottomUp(stored, upright, upright.rect(), upright.rect());
    return upright;
}

}  // namespace orvik
