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
constexpr int kGap = 4;          // between the texts and the track
constexpr int kTickHeight = 8;   // the row of folder ticks above the footage
constexpr int kMarkerWidth = 3;  // the frame shown
constexpr int kMarkWidth = 2;    // the clip's marks
// A wheel notch narrows or widens the view by this factor: about 26 notches from a month
// down to a minute.
constexpr double kZoomPerNotch = 1.5;
constexpr double kWheelNotch = 120.0;  // angle delta of one notch

constexpr QRgb kBlank = qRgb(40, 40, 40);
constexpr QRgb kTickRow = qRgb(70, 70, 70);
constexpr QRgb kFootage = qRgb(76, 175, 80);
constexpr QRgb kFolderTick = qRgb(220, 220, 220);
constexpr QRgb kMark = qRgb(255, 179, 0);
constexpr QRgb kClip = qRgba(255, 179, 0, 60);
constexpr QRgb kMarker = qRgb(229, 57, 53);
constexpr QRgb kHover = qRgba(255, 255, 255, 150);
constexpr QRgb kEmptyText = qRgb(170, 170, 170);

QString TextOf(std::int64_t time) {
    return QString::fromStdString(MomentText(time));
}

}  // namespace

TimelineWindow::TimelineWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(tr("Timeline"));
    setMouseTracking(true);
    resize(sizeHint());
    axis.SetColumns(LayOut().footage.width());
}

void TimelineWindow::SetTimeline(std::shared_ptr<const RecordingTimeline> newTimeline) {
    timeline = std::move(newTimeline);
    if (HasRecording()) {
        axis.ShowWhole(timeline->First(), timeline->Last());
    }
    pressX.reset();
    update();
}

void TimelineWindow::SetShownFrame(int folderIndex, int fileIndex) {
    shown = FramePosition{folderIndex, fileIndex};
    update();
}

void TimelineWindow::SetMarks(std::optional<std::int64_t> in, std::optional<std::int64_t> out) {
    markIn = in;
    markOut = out;
    update();
}

QString TimelineWindow::StatusText() const {
    if (!HasRecording()) {
        return tr("No recording");
    }
    const std::optional<std::int64_t> time =
        shown ? timeline->TimeOf(shown->folder, shown->file) : std::nullopt;
    if (!time) {
        return tr("%1 folders · %2 frames · no frame shown")
            .arg(timeline->FolderCount())
            .arg(timeline->FrameCount());
    }
    return tr("folder %1 of %2 · frame %3 of %4 · %5")
        .arg(shown->folder + 1)
        .arg(timeline->FolderCount())
        .arg(shown->file + 1)
        .arg(timeline->FileCount(shown->folder))
        .arg(TextOf(*time));
}

std::optional<int> TimelineWindow::XOfTime(std::int64_t time) const {
    const int column = axis.ColumnOf(time);
    if (!HasRecording() || column < 0 || column >= axis.Columns()) {
        return std::nullopt;
    }
    return LayOut().footage.left() + column;
}

QSize TimelineWindow::sizeHint() const {
    return {900, 140};
}

QSize TimelineWindow::minimumSizeHint() const {
    return {300, 2 * kMargin + 2 * fontMetrics().height() + 2 * kGap + kTickHeight + 16};
}

TimelineWindow::Layout TimelineWindow::LayOut() const {
    const int line = fontMetrics().height();
    const QRect inner = rect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
    Layout layout;
    layout.bounds = QRect(inner.left(), inner.top(), inner.width(), line);
    layout.status = QRect(inner.left(), inner.bottom() + 1 - line, inner.width(), line);
    layout.ticks =
        QRect(inner.left(), layout.bounds.bottom() + 1 + kGap, inner.width(), kTickHeight);
    const int footageTop = layout.ticks.bottom() + 1;
    layout.footage = QRect(inner.left(), footageTop, inner.width(),
                           std::max(layout.status.top() - kGap - footageTop, 1));
    return layout;
}

int TimelineWindow::ColumnAt(int x) const {
    return std::clamp(x - LayOut().footage.left(), 0, axis.Columns() - 1);
}

void TimelineWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const Layout layout = LayOut();
    painter.fillRect(layout.footage, QColor(kBlank));
    painter.fillRect(layout.ticks, QColor(kTickRow));
    if (HasRecording()) {
        DrawFootage(painter, layout.footage);
        DrawFolderTicks(painter, layout.ticks);
        DrawMarks(painter, layout.Track());
        if (hoverX) {
            painter.fillRect(*hoverX, layout.Track().top(), 1, layout.Track().height(),
                             QColor::fromRgba(kHover));
        }
        if (const std::optional<std::int64_t> time =
                shown ? timeline->TimeOf(shown->folder, shown->file) : std::nullopt) {
            DrawTimeLine(painter, layout.Track(), *time, QColor(kMarker), kMarkerWidth);
        }
    } else {
        painter.setPen(QColor(kEmptyText));
        painter.drawText(layout.footage, Qt::AlignCenter, tr("No recording open"));
    }
    DrawTexts(painter, layout);
}

void TimelineWindow::DrawFootage(QPainter& painter, const QRect& band) const {
    const std::vector<TimeSpan>& spans = timeline->Spans();
    auto span = spans.begin();
    int runStart = -1;  // the first column of the run of footage being drawn
    std::int64_t from = axis.ColumnStart(0);
    for (int column = 0; column <= axis.Columns(); ++column) {
        bool footage = false;
        if (column < axis.Columns()) {
            const std::int64_t next = axis.ColumnStart(column + 1);
            // A column too narrow for a time of its own shows the time it starts at.
            const std::int64_t to = std::max(next, from + 1);
            span = std::partition_point(span, spans.end(),
                                        [from](const TimeSpan& s) { return s.last < from; });
            footage = span != spans.end() && span->first < to;
            from = next;
        }
        if (footage && runStart < 0) {
            runStart = column;
        } else if (!footage && runStart >= 0) {
            painter.fillRect(band.left() + runStart, band.top(), column - runStart, band.height(),
                             QColor(kFootage));
            runStart = -1;
        }
    }
}

void TimelineWindow::DrawFolderTicks(QPainter& painter, const QRect& band) const {
    const std::vector<std::int64_t>& starts = timeline->FolderBoundaries();
    const std::int64_t end = axis.ColumnStart(axis.Columns());
    auto start = std::lower_bound(starts.begin(), starts.end(), axis.ColumnStart(0));
    while (start != starts.end() && *start < end) {
        const int column = axis.ColumnOf(*start);
        painter.fillRect(band.left() + column, band.top(), 1, band.height(), QColor(kFolderTick));
        start = std::lower_bound(start, starts.end(), axis.ColumnStart(column + 1));
    }
}

void TimelineWindow::DrawMarks(QPainter& painter, const QRect& track) const {
    if (markIn && markOut) {
        const int from = std::clamp(axis.ColumnOf(*markIn), 0, axis.Columns());
        const int to = std::clamp(axis.ColumnOf(*markOut), 0, axis.Columns());
        painter.fillRect(track.left() + std::min(from, to), track.top(), std::abs(to - from),
                         track.height(), QColor::fromRgba(kClip));
    }
    for (const std::optional<std::int64_t>& mark : {markIn, markOut}) {
        if (mark) {
            DrawTimeLine(painter, track, *mark, QColor(kMark), kMarkWidth);
        }
    }
}

void TimelineWindow::DrawTimeLine(QPainter& painter, const QRect& track, std::int64_t time,
                                  QColor colour, int width) const {
    const int column = axis.ColumnOf(time);
    if (column >= 0 && column < axis.Columns()) {
        painter.fillRect(track.left() + column - width / 2, track.top(), width, track.height(),
                         colour);
    }
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
    axis.SetColumns(LayOut().footage.width());
}

void TimelineWindow::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (!HasRecording() || delta == 0) {
        event->ignore();
        return;
    }
    const int x = static_cast<int>(std::lround(event->position().x()));
    axis.Zoom(std::pow(kZoomPerNotch, -delta / kWheelNotch), ColumnAt(x));
    event->accept();
    update();
}

void TimelineWindow::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && HasRecording() && LayOut().Track().contains(at)) {
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
        }
    }
    hoverX = LayOut().Track().contains(at) ? std::optional(at.x()) : std::nullopt;
    update();
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
    update();
}

}  // namespace orvik
