#include "shell/frame_window.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "shell/key_table.h"

namespace orvik {
namespace {

constexpr double kZoomPerNotch = 1.25;  // a wheel notch, or one Ctrl+plus / Ctrl+minus
constexpr double kWheelNotch = 120.0;   // angle delta of one notch
constexpr double kSmallestScale = 1.0 / 16;
constexpr double kLargestScale = 32.0;

}  // namespace

FrameWindow::FrameWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(tr("Frame"));
    setFocusPolicy(Qt::StrongFocus);
    resize(sizeHint());
    AddKeyActions(this, KeyScope::FrameWindow, [this](Command command) {
        switch (command) {
            case Command::ZoomIn:
                ZoomAround(KeyZoomPoint(), kZoomPerNotch);
                break;
            case Command::ZoomOut:
                ZoomAround(KeyZoomPoint(), 1 / kZoomPerNotch);
                break;
            case Command::ActualSize:
                ShowActualSize();
                break;
            case Command::FitToWindow:
                zoomed.reset();
                update();
                break;
            case Command::FullScreen:
                setWindowState(windowState() ^ Qt::WindowFullScreen);
                break;
            case Command::LeaveFullScreen:
                setWindowState(windowState() & ~Qt::WindowFullScreen);
                break;
            default:
                break;
        }
    });
}

void FrameWindow::SetPicture(const QImage& newPicture, const QString& dateTime,
                             const QString& newNote) {
    if (newPicture.size() != picture.size()) {
        zoomed.reset();
        dragFrom.reset();
    }
    picture = newPicture;
    note = newNote;
    const QString title = dateTime.isEmpty() ? tr("Frame") : tr("Frame — %1").arg(dateTime);
    setWindowTitle(note.isEmpty() ? title : tr("%1 (%2)").arg(title, note));
    update();
}

QSize FrameWindow::sizeHint() const {
    return {800, 640};  // a 1280 x 1024 picture at 5/8 of its size
}

FrameWindow::Placement FrameWindow::Fitted() const {
    if (picture.isNull()) {
        return {};
    }
    const double scale = std::min(width() / static_cast<double>(picture.width()),
                                  height() / static_cast<double>(picture.height()));
    const QPointF size(picture.width() * scale, picture.height() * scale);
    return {(QPointF(width(), height()) - size) / 2, scale};
}

void FrameWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!picture.isNull()) {
        const Placement placement = Shown();
        // On whole pixels, so that at 1:1 each picture pixel lands on exactly one window pixel.
        const QPointF origin(std::round(placement.origin.x()), std::round(placement.origin.y()));
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(QRectF(origin, QSizeF(picture.size()) * placement.scale), picture,
                          picture.rect());
    }
    for (const QRect& outline : {region, regionDrawing}) {
        if (!outline.isNull() && !picture.isNull()) {
            painter.setPen(QPen(QColor(255, 210, 40), 2, Qt::DashLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(InWindow(outline));
        }
    }
    if (picture.isNull() || !note.isEmpty()) {
        painter.fillRect(rect(), QColor(0, 0, 0, 150));
        painter.setPen(note.isEmpty() ? Qt::gray : Qt::white);
        painter.drawText(rect(), Qt::AlignCenter, note.isEmpty() ? tr("No frame shown") : note);
    }
}

void FrameWindow::ZoomAround(QPointF at, double factor) {
    if (picture.isNull()) {
        return;
    }
    const Placement before = Shown();
    const double scale = std::clamp(before.scale * factor, kSmallestScale, kLargestScale);
    zoomed = Placement{at - (at - before.origin) * (scale / before.scale), scale};
    update();
}

void FrameWindow::ShowActualSize() {
    if (picture.isNull()) {
        return;
    }
    const Placement before = Shown();
    const QPointF centre = QRectF(rect()).center();
    const QPointF origin = centre - (centre - before.origin) / before.scale;
    zoomed = Placement{QPointF(std::round(origin.x()), std::round(origin.y())), 1.0};
    update();
}

QPointF FrameWindow::KeyZoomPoint() const {
    const QPoint pointer = mapFromGlobal(QCursor::pos());
    return rect().contains(pointer) ? QPointF(pointer) : QRectF(rect()).center();
}

void FrameWindow::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        event->ignore();
        return;
    }
    ZoomAround(event->position(), std::pow(kZoomPerNotch, delta / kWheelNotch));
    event->accept();
}

void FrameWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || picture.isNull()) {
        return;
    }
    if ((event->modifiers() & Qt::ShiftModifier) != 0) {
        regionFrom = PicturePoint(event->position());
        regionDrawing = QRect();
        return;
    }
    dragFrom = event->position();
    placementAtPress = Shown();
}

void FrameWindow::mouseMoveEvent(QMouseEvent* event) {
    if ((event->buttons() & Qt::LeftButton) == 0) {
        return;
    }
    if (regionFrom) {
        regionDrawing = DrawnRegion(event->position());
        update();
    } else if (dragFrom) {
        zoomed = Placement{placementAtPress.origin + event->position() - *dragFrom,
                           placementAtPress.scale};
        update();
    }
}

void FrameWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    dragFrom.reset();
    if (regionFrom) {
        // A click, or a drag that drew nothing of a pixel's width, clears the region.
        const QRect drawn = DrawnRegion(event->position());
        region = drawn.width() > 1 && drawn.height() > 1 ? drawn : QRect();
        regionFrom.reset();
        regionDrawing = QRect();
        update();
        emit regionDrawn(region);
    }
}

void FrameWindow::SetRegion(const QRect& newRegion) {
    region = newRegion;
    update();
}

QPoint FrameWindow::PicturePoint(QPointF at) const {
    const Placement placement = Shown();
    const QPointF point = (at - placement.origin) / placement.scale;
    return QPoint(std::clamp(int(std::floor(point.x())), 0, picture.width()),
                  std::clamp(int(std::floor(point.y())), 0, picture.height()));
}

QRect FrameWindow::DrawnRegion(QPointF at) const {
    const QPoint to = PicturePoint(at);
    return QRect(
        QPoint(std::min(regionFrom->x(), to.x()), std::min(regionFrom->y(), to.y())),
        QPoint(std::max(regionFrom->x(), to.x()) - 1, std::max(regionFrom->y(), to.y()) - 1));
}

QRectF FrameWindow::InWindow(const QRect& pictureRect) const {
    const Placement placement = Shown();
    return QRectF(placement.origin + QPointF(pictureRect.topLeft()) * placement.scale,
                  QSizeF(pictureRect.size()) * placement.scale);
}

}  // namespace orvik
