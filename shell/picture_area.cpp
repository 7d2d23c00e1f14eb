#include "shell/picture_area.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "shell/bottom_up_picture.h"

namespace orvik {
namespace {

constexpr int kNoteMilliseconds = 2500;
constexpr int kWheelNotch = 120;  // angle delta of one notch

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

void PictureArea::SetFrameNote(const QString& text, bool kept) {
    frameNote = text;
    pictureKept = kept;
    update();
}

void PictureArea::SetHint(const QString& text) {
    hint = text;
    update();
}

void PictureArea::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

void PictureArea::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
}

void PictureArea::wheelEvent(QWheelEvent* event) {
    wheelAngle += event->angleDelta().y();
    const int notches = wheelAngle / kWheelNotch;
    wheelAngle -= notches * kWheelNotch;
    if (notches != 0) {
        emit wheelTurned(notches);
    }
    event->accept();
}

void PictureArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect picture(kPictureFrameMargin, kPictureFrameMargin, kPictureAreaWidth,
                        kPictureAreaHeight);
    if (frameNote.isEmpty() || pictureKept) {
        painter.drawImage(picture.topLeft(), surface);
    } else {
        painter.fillRect(picture, Qt::black);
    }
    if (!frameNote.isEmpty()) {
        painter.fillRect(picture, QColor(0, 0, 0, 150));  // the picture is not the frame named
        DrawBand(painter,
                 QRect(picture.left() + 40, picture.center().y() - 18, picture.width() - 80, 36),
                 frameNote);
    }
    if (!hint.isEmpty()) {
        const QRect box = painter.fontMetrics().boundingRect(
            picture.adjusted(60, 0, -60, 0), Qt::AlignCenter | Qt::TextWordWrap, hint);
        DrawBand(painter, box.adjusted(-16, -10, 16, 10).intersected(picture), hint);
    }
    if (!note.isEmpty()) {  // a brief word over the picture's foot, where the user looks
        DrawBand(painter,
                 QRect(picture.left() + 8, picture.bottom() - 36, picture.width() - 16, 28), note);
    }
    drawFrame(&painter);
}

void PictureArea::DrawBand(QPainter& painter, const QRect& band, const QString& text) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 170));
    painter.drawRoundedRect(band, 6, 6);
    painter.setPen(Qt::white);
    if (text.contains('\n')) {
        painter.drawText(band, Qt::AlignCenter | Qt::TextWordWrap, text);
    } else {
        painter.drawText(
            band, Qt::AlignCenter,
            painter.fontMetrics().elidedText(text, Qt::ElideMiddle, band.width() - 12));
    }
    painter.restore();
}

}  // namespace orvik
