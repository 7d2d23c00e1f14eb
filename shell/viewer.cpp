#include "shell/viewer.h"

#include <QPainter>
#include <QWidget>
#include <cstring>

#include "decoder/decode_frame.h"
#include "shell/bottom_up_picture.h"

namespace orvik {
namespace {

constexpr int kSkinBitmap = 122;
constexpr std::size_t kBlankPictureBytes = std::size_t{kSurfaceWidth} * kSurfaceHeight * 3;

const QRect kPictureArea(0, 0, kPictureAreaWidth, kPictureAreaHeight);

// Where a picture of this size lands: a wide one unscaled with its lower-left corner at the
// area's lower-left corner; a narrow one enlarged by half, placed as the system always has
// ((640 - w) / 4, (480 - h) / 4).
QRect PictureTarget(int w, int h) {
    if (w >= kPictureAreaWidth) {
        return QRect(0, kPictureAreaHeight - h, w, h);
    }
    return QRect((kPictureAreaWidth - w) / 4, (kPictureAreaHeight - h) / 4, w + w / 2, h + h / 2);
}

}  // namespace

CMavViewer::CMavViewer(QWidget* ownerWindow, const QSize& clientSize)
    : pictureSurface(kSurfaceWidth, kSurfaceHeight, QImage::Format_RGB32),
      skinSurface(kSurfaceWidth, kSurfaceHeight, QImage::Format_RGB32),
      ownerWindow(ownerWindow) {
    // The skin is stretched once, here; painting the window is then two plain copies.
    skinSurface.fill(Qt::black);
    DrawBottomUp(LoadStoredBitmap(kSkinBitmap), skinSurface, QRect(QPoint(0, 0), clientSize),
                 skinSurface.rect());
    pictureSurface.fill(Qt::black);
    fileManager.blackenPictureArea = [this](int width, int height) {
        QPainter painter(&pictureSurface);
        painter.fillRect(QRect(0, 0, width, height), Qt::black);
    };
}

CMavViewer::~CMavViewer() = default;

void CMavViewer::DrawSkinButton(QWidget& window, LitButtons& lit, QPainter& painter, int id,
                                bool pressed, const QRect& rect) const {
    const SkinButtonFaces* button = FindSkinButton(id);
    if (button == nullptr) {
        return;
    }
    const FaceChoice choice = ChooseFace(*button, pressed, lit);
    if (choice.invalidate != 0) {
        if (QWidget* other = window.findChild<QWidget*>(QString::number(choice.invalidate))) {
            other->update();
        }
    }
    const QImage face = UprightBitmap(choice.face, rect.size());
    if (!face.isNull()) {
        painter.drawImage(rect.topLeft(), face);
    }
}

void CMavViewer::DrawCurrentPicture() {
    const int w = fileManager.pictureWidth, h = fileManager.pictureHeight;
    const std::size_t stride = PictureStride(w);
    if (w == 0 || h == 0 || stride * h > kPictureBitsBytes) {
        return;
    }
    const QImage picture(fileManager.pictureBits.get(), w, h, qsizetype(stride),
                         QImage::Format_BGR888);
    const QRect target = PictureTarget(w, h);
    DrawBottomUp(picture, pictureSurface, target,
                 w >= kPictureAreaWidth ? kPictureArea : pictureSurface.rect());
}

void CMavViewer::BlankPicture() {
    std::memset(fileManager.pictureBits.get(), 0, kBlankPictureBytes);
    QPainter painter(&pictureSurface);
    painter.fillRect(kPictureArea, Qt::black);
}

}  // namespace orvik
