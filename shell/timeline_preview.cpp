#include "shell/timeline_preview.h"

#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "library/capture_time.h"

namespace orvik {
namespace {

// The thumbnail's box: a 4:3 frame fills it.
constexpr QSize kPictureBounds(160, 120);
constexpr int kPadding = 4;
constexpr int kGap = 6;  // between the track and the preview

constexpr QRgb kBackground = qRgb(30, 30, 30);
constexpr QRgb kBox = qRgb(0, 0, 0);
constexpr QRgb kText = qRgb(230, 230, 230);

}  // namespace

TimelinePreview::TimelinePreview(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    resize(sizeHint());
}

void TimelinePreview::SetSource(FrameFileSource newSource) {
    source = std::move(newSource);
    Forget();
}

void TimelinePreview::ShowFrame(FramePosition shownFrame, std::int64_t time, int x,
                                const QRect& track) {
    if (frame != shownFrame) {
        frame = shownFrame;
        caption = QString::fromStdString(MomentText(time));
        note.clear();
        picture = QImage();
        awaited = 0;
        const std::optional<ThumbnailOrder> order =
            source ? source(shownFrame, time) : std::nullopt;
        if (order) {
            if (worker == nullptr) {
                worker = new ThumbnailWorker(kPictureBounds, this);
                connect(worker, &ThumbnailWorker::decoded, this, &TimelinePreview::Take);
            }
            awaited = worker->Order(*order);
        }
        update();
    }
    Place(x, track);
    show();
}

void TimelinePreview::Forget() {
    frame.reset();
    awaited = 0;  // a result still on its way is for a frame no longer asked about
    if (worker != nullptr) {
        worker->DropWaiting();
    }
    hide();
}

void TimelinePreview::Take(const Thumbnail& thumbnail) {
    if (awaited == 0 || thumbnail.order != awaited) {
        return;  // for a frame the pointer has left
    }
    picture = thumbnail.picture;
    switch (thumbnail.refusal) {
        case FrameRefusal::kNone:
            note.clear();
            break;
        case FrameRefusal::kCannotOpen:  // as the viewer tells them: the file is gone
        case FrameRefusal::kUnreadable:
            note = tr("Frame missing");
            break;
        default:
            note = tr("Damaged frame");
            break;
    }
    update();
}

void TimelinePreview::Place(int x, const QRect& track) {
    const QSize size = sizeHint();
    resize(size);
    QPoint at(x - size.width() / 2, track.top() - kGap - size.height());
    if (const QScreen* screen = parentWidget()->screen()) {
        const QRect room = screen->availableGeometry();
        if (at.y() < room.top()) {
            at.setY(track.bottom() + 1 + kGap);
        }
        at.setX(std::clamp(at.x(), room.left(), room.right() + 1 - size.width()));
    }
    move(at);
}

QSize TimelinePreview::sizeHint() const {
    return {kPictureBounds.width() + 2 * kPadding,
            kPictureBounds.height() + fontMetrics().height() + 3 * kPadding};
}

void TimelinePreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(kBackground));
    const QRect box(QPoint(kPadding, kPadding), kPictureBounds);
    painter.fillRect(box, QColor(kBox));
    painter.setPen(QColor(kText));
    if (!picture.isNull()) {
        QRect fitted(QPoint(), picture.size());
        fitted.moveCenter(box.center());
        painter.drawImage(fitted, picture);
    } else if (!note.isEmpty()) {
        painter.drawText(box, Qt::AlignCenter, note);
    }
    const QRect line(kPadding, box.bottom() + 1 + kPadding, box.width(), fontMetrics().height());
    painter.drawText(line, Qt::AlignCenter, caption);
}

}  // namespace orvik
