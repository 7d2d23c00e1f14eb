#include "shell/timeline_window.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "library/capture_time.h"

namespace orvik {
namespace {

constexpr int kMargin = 8;
constexpr int kGap = 4;  // between the texts and the track
// A wheel notch narrows or widens the view by this factor: about 26 notches from a month
// down to a minute.
constexpr double kZoomPerNotch = 1.5;
constexpr double kWheelNotch = 120.0;  // angle delta of one notch

constexpr QRgb kEmptyText = qRgb(170, 170, 170);

QString TextOf(std::int64_t time) {
    return QString::fromStdString(MomentText(time));
}

}  // namespace

TimelineWindow::TimelineWindow(QWidget* parent, std::chrono::milliseconds followPause)
    : QWidget(parent, Qt::Window), followPause(followPause), preview(new TimelinePreview(this)) {
    setWindowTitle(tr("Timeline"));
    setMouseTracking(true);
    resize(sizeHint());
    axis.SetColumns(LayOut().rows.footage.width());
}

void TimelineWindow::SetTimeline(std::shared_ptr<const RecordingTimeline> newTimeline) {
    timeline = std::move(newTimeline);
    if (HasRecording()) {
        axis.ShowWhole(timeline->First(), timeline->Last());
    }
    pressX.reset();
    hoverX.reset();
    preview->Forget();
    update();
}

void TimelineWindow::SetShownFrame(int folderIndex, int fileIndex, bool playing) {
    shown = FramePosition{folderIndex, fileIndex};
    if (const std::optional<std::int64_t> time = ShownTime(); time && playing && MayFollow()) {
        const std::int64_t begin = axis.Begin();
        axis.KeepInView(*time);
        if (axis.Begin() != begin) {
            Preview(hoverX);  // another frame is under the pointer now
        }
    }
    update();
}

void TimelineWindow::SetFrameSource(FrameFileSource source) {
    preview->SetSource(std::move(source));
}

std::optional<std::int64_t> TimelineWindow::ShownTime() const {
    return HasRecording() && shown ? timeline->TimeOf(shown->folder, shown->file) : std::nullopt;
}

// Not while the user holds the view with the button down, nor for a while after a move.
bool TimelineWindow::MayFollow() const {
    return !pressX &&
           (!viewMovedAt || std::chrono::steady_clock::now() - *viewMovedAt >= followPause);
}

void TimelineWindow::SetMarks(std::optional<std::int64_t> in, std::optional<std::int64_t> out) {
    markIn = in;
    markOut = out;
    update();
}

void TimelineWindow::SetActivity(std::shared_ptr<const ActivityIndex> index, int foldersReady,
                                 int folders) {
    activity = std::move(index);
    activityReady = foldersReady;
    activityFolders = folders;
    update();
}

QString TimelineWindow::StatusText() const {
    if (!HasRecording()) {
        return tr("No recording");
    }
    const std::optional<std::int64_t> time = ShownTime();
    const QString frame = time ? tr("folder %1 of %2 · frame %3 of %4 · %5")
                                     .arg(shown->folder + 1)
                                     .arg(timeline->FolderCount())
                                     .arg(shown->file + 1)
                                     .arg(timeline->FileCount(shown->folder))
                                     .arg(TextOf(*time))
                               : tr("%1 folders · %2 frames · no frame shown")
                                     .arg(timeline->FolderCount())
                                     .arg(timeline->FrameCount());
    if (activity == nullptr || activityFolders == 0) {
        return frame;
    }
    if (activityReady < activityFolders) {
        return tr("%1 · activity: %2 of %3 folders")
            .arg(frame)
            .arg(activityReady)
            .arg(activityFolders);
    }
    const std::size_t events = activity->Events().size();
    return events == 1 ? tr("%1 · 1 event").arg(frame)
                       : tr("%1 · %2 events").arg(frame).arg(events);
}

std::optional<int> TimelineWindow::XOfTime(std::int64_t time) const {
    const int column = axis.ColumnOf(time);
    if (!HasRecording() || column < 0 || column >= axis.Columns()) {
        return std::nullopt;
    }
    return LayOut().rows.footage.left() + column;
}

std::int64_t TimelineWindow::ScaleStepNow() const {
    if (!HasRecording()) {
        return 0;
    }
    const QFontMetrics metrics = fontMetrics();
    return ScaleStep(axis,
                     [&metrics](const QString& label) { return metrics.horizontalAdvance(label); });
}

std::vector<ScaleTick> TimelineWindow::Scale() const {
    return ScaleTicks(axis, ScaleStepNow());
}

std::vector<int> TimelineWindow::MinorScale() const {
    const std::int64_t step = ScaleStepNow();
    return MinorTickColumns(axis, MinorStep(axis, step), step);
}

QSize TimelineWindow::sizeHint() const {
    return {900, 160};
}

QSize TimelineWindow::minimumSizeHint() const {
    const int line = fontMetrics().height();
    return {300, 2 * kMargin + 2 * line + 2 * kGap + TrackFixedHeight(line)};
}

TimelineWindow::Layout TimelineWindow::LayOut() const {
    const int line = fontMetrics().height();
    const QRect inner = rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
    Layout layout;
    layout.bounds = QRect(inner.left(), inner.top(), inner.width(), line);
    layout.status = QRect(inner.left(), inner.bottom() + 1 - line, inner.width(), line);
    const int trackTop = layout.bounds.bottom() + 1 + kGap;
    layout.rows = TrackRows::Within(
        QRect(inner.left(), trackTop, inner.width(), layout.status.top() - kGap - trackTop), line);
    return layout;
}

int TimelineWindow::ColumnAt(int x) const {
    return std::clamp(x - LayOut().rows.footage.left(), 0, axis.Columns() - 1);
}

void TimelineWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const Layout layout = LayOut();
    DrawTrack(
        painter, layout.rows,
        TrackContent{axis, HasRecording() ? timeline.get() : nullptr, markIn, markOut, ShownTime(),
                     hoverX, activity ? activity->Events() : std::vector<ActivityEvent>{}, Scale(),
                     MinorScale()},
        fontMetrics(), palette().color(QPalette::WindowText));
    if (!HasRecording()) {
        painter.setPen(QColor(kEmptyText));
        painter.drawText(layout.rows.footage, Qt::AlignCenter, tr("No recording open"));
    }
    DrawTexts(painter, layout);
}

void TimelineWindow::DrawTexts(QPainter& painter, const Layout& layout) const {
    painter.setPen(palette().color(QPalette::WindowText));
    if (HasRecording()) {
        painter.drawText(layout.bounds, Qt::AlignLeft | Qt::AlignVCenter, TextOf(axis.Begin()));
        painter.drawText(layout.bounds, Qt::AlignRight | Qt::AlignVCenter, TextOf(axis.End()));
    }
    const QString status = StatusText();
    painter.drawText(layout.status, Qt::AlignLeft | Qt::AlignVCenter, status);
    if (hoverX && HasRecording()) {
        const QString pointer =
            tr("at the pointer: %1").arg(TextOf(axis.LatestTimeIn(ColumnAt(*hoverX))));
        const QFontMetrics metrics = fontMetrics();
        if (metrics.horizontalAdvance(status) + 2 * kMargin + metrics.horizontalAdvance(pointer) <=
            layout.status.width()) {
            painter.drawText(layout.status, Qt::AlignRight | Qt::AlignVCenter, pointer);
        }
    }
}

void TimelineWindow::resizeEvent(QResizeEvent*) {
    axis.SetColumns(LayOut().rows.footage.width());
}

void TimelineWindow::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (!HasRecording() || delta == 0) {
        event->ignore();
        return;
    }
    const int x = static_cast<int>(std::lround(event->position().x()));
    axis.Zoom(std::pow(kZoomPerNotch, -delta / kWheelNotch), ColumnAt(x));
    ViewMoved();
    event->accept();
    Preview(hoverX);
    update();
}

void TimelineWindow::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && HasRecording() && LayOut().rows.Track().contains(at)) {
        pressX = at.x();
        axisAtPress = axis;
        dragging = false;
    }
}

void TimelineWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (pressX && (event->buttons() & Qt::LeftButton) != 0) {
        const int moved = at.x() - *pressX;
        dragging = dragging || std::abs(moved) >= QApplication::startDragDistance();
        if (dragging) {
            axis = axisAtPress;
            axis.Pan(-moved);
            ViewMoved();
        }
    }
    hoverX = LayOut().rows.Track().contains(at) ? std::optional(at.x()) : std::nullopt;
    Preview(hoverX);
    update();
}

void TimelineWindow::Preview(std::optional<int> x) {
    const std::optional<FramePosition> frame =
        x && HasRecording() ? timeline->Find(axis.LatestTimeIn(ColumnAt(*x))) : std::nullopt;
    const std::optional<std::int64_t> time =
        frame ? timeline->TimeOf(frame->folder, frame->file) : std::nullopt;
    if (!time) {
        preview->Forget();
        return;
    }
    const QRect track = LayOut().rows.Track();
    preview->ShowFrame(*frame, *time, mapToGlobal(QPoint(*x, 0)).x(),
                       QRect(mapToGlobal(track.topLeft()), track.size()));
}

void TimelineWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressX) {
        return;
    }
    const bool clicked = !dragging;
    pressX.reset();
    dragging = false;
    if (!clicked || !HasRecording()) {
        return;
    }
    const int column = ColumnAt(event->position().toPoint().x());
    if (const std::optional<FramePosition> found = timeline->Find(axis.LatestTimeIn(column))) {
        emit frameChosen(found->folder, found->file);
    }
}

void TimelineWindow::leaveEvent(QEvent*) {
    hoverX.reset();
    preview->Forget();
    update();
}

void TimelineWindow::hideEvent(QHideEvent*) {
    hoverX.reset();
    preview->Forget();
}

}  // namespace orvik
