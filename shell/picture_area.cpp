#include "shell/picture_area.h"

#include <QPainter>

#include "shell/bottom_up_picture.h"

namespace orvik {
namespace {

constexpr int kNoteMilliseconds = 2500;

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

PictureArea::PictureArea(QWidget* parent)
    : QFrame(parent), surface(kPictureAreaWidth, kPictureAreaHeight, QImage::Format_RGB32) {
    surface.fill(Qt::black);
    noteTimer.setSingleShot(true);
    noteTimer.setInterval(kNoteMilliseconds);
    connect(&noteTimer, &QTimer::timeout, this, [this] { SetNote(QString()); });
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    QPalette frameColour = palette();
    frameColour.setColor(QPalette::WindowText, Qt::black);
    setPalette(frameColour);
}

void PictureArea::Present(const QImage& bottomUp) {
    if (bottomUp.isNull()) {
        return;
    }
    DrawBottomUp(bottomUp, surface, PictureTarget(bottomUp.width(), bottomUp.height()),
                 surface.rect());
    update();
}

void PictureArea::Blacken(int width, int height) {
    QPainter painter(&surface);
    painter.fillRect(QRect(0, 0, width, height), Qt::black);
}

void PictureArea::Blank() {
    surface.fill(Qt::black);
    update();
}

void PictureArea::SetNote(const QString& text) {
    note = text;
    if (!note.isEmpty()) {
        noteTimer.start();
    }
    update();
}

void PictureArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect picture(kPictureFrameMargin, kPictureFrameMargin, kPictureAreaWidth,
                        kPictureAreaHeight);
    painter.drawImage(picture.topLeft(), surface);
    if (!note.isEmpty()) {  // a brief word over the picture's foot, where the user looks
        const QRect band(picture.left() + 8, picture.bottom() - 36, picture.width() - 16, 28);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 170));
        painter.drawRoundedRect(band, 6, 6);
        painter.setPen(Qt::white);
        painter.drawText(
            band, Qt::AlignCenter,
            painter.fontMetrics().elidedText(note, Qt::ElideMiddle, band.width() - 12));
    }
    drawFrame(&painter);
}

}  // namespace orvik
