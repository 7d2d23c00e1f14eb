#include "shell/viewer.h"

#include <QPainter>

#include "decoder/decode_frame.h"
#include "shell/bottom_up_picture.h"

namespace orvik {
namespace {

constexpr int kSkinBitmap = 122;

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

CMavViewer::CMavViewer(const QSize& clientSize)
    : pictureSurface(kSurfaceWidth, kSurfaceHeight, QImage::Format_RGB32),
      skinSurface(kSurfaceWidth, kSurfaceHeight, QImage::Format_RGB32) {
    // The skin is stretched once, here; painting the window is then two plain copies.
    skinSurface.fill(Qt::black);
    DrawBottomUp(LoadStoredBitmap(kSkinBitmap), skinSurface, QRect(QPoint(0, 0), clientSize),
                 skinSurface.rect());
    pictureSurface.fill(Qt::black);
    fileManager.SetBlackenHook(
        [this](int width, int height) { BlackenPictureArea(width, height); });
}

CMavViewer::~CMavViewer() = default;

ControlId CMavViewer::DrawSkinButton(LitButtons& lit, QPainter& painter, ControlId id, bool pressed,
                                     const QRect& rect) const {
    const SkinButtonFaces* button = FindSkinButton(id);
    if (button == nullptr) {
        return ControlId::None;
    }
    const FaceChoice choice = ChooseFace(*button, pressed, lit);
    const QImage face = UprightBitmap(choice.face, rect.size());
    if (!face.isNull()) {
        painter.drawImage(rect.topLeft(), face);
    }
    return choice.invalidate;
}

void CMavViewer::BlackenPictureArea(int width, int height) {
    QPainter painter(&pictureSurface);
    painter.fillRect(QRect(0, 0, width, height), Qt::black);
}

void CMavViewer::DrawCurrentPicture() {
    DrawPicture(fileManager.PictureBits(), fileManager.PictureWidth(), fileManager.PictureHeight());
}

void CMavViewer::DrawPicture(const std::uint8_t* bits, int w, int h) {
    const std::size_t stride = PictureStride(fileManager.Decoder().variant, w);
    if (w <= 0 || h <= 0 || stride * std::size_t(h) > kPictureBitsBytes) {
        return;
    }
    const QImage picture(bits, w, h, qsizetype(stride), QImage::Format_BGR888);
    const QRect target = PictureTarget(w, h);
    DrawBottomUp(picture, pictureSurface, target,
                 w >= kPictureAreaWidth ? kPictureArea : pictureSurface.rect());
}

void CMavViewer::BlankPicture() {
    fileManager.BlankPicture();
    QPainter painter(&pictureSurface);
    painter.fillRect(kPictureArea, Qt::black);
}

}  // namespace orvik
