#include "shell/timeline_track.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace orvik {
namespace {

constexpr int kTickHeight = 8;       // the row of folder ticks above the footage
constexpr int kActivityHeight = 14;  // the row of events between them
constexpr int kLeastEventHeight = 3;
constexpr int kLeastEventWidth = 2;  // an event of one frame stays in sight at any zoom
// An event whose peak changed this share of the blocks (hundredths of a percent) or more
// fills the row; smaller ones by the square root of their share, so that one of 1 % shows.
constexpr double kFullEventPeak = 2500;
constexpr int kScaleTickHeight = 5;  // the scale's ticks, above their labels
constexpr int kMinorTickHeight = 3;  // its short ticks between them
constexpr int kMinFootage = 16;      // the footage row's least height
constexpr int kMarkerWidth = 3;      // the frame shown
constexpr int kMarkWidth = 2;        // the clip's marks

constexpr QRgb kBlank = qRgb(40, 40, 40);
constexpr QRgb kTickRow = qRgb(70, 70, 70);
constexpr QRgb kFootage = qRgb(76, 175, 80);
constexpr QRgb kFolderTick = qRgb(220, 220, 220);
constexpr QRgb kMark = qRgb(255, 179, 0);
constexpr QRgb kClip = qRgba(255, 179, 0, 60);
constexpr QRgb kMarker = qRgb(229, 57, 53);
constexpr QRgb kHover = qRgba(255, 255, 255, 150);
constexpr QRgb kActivityRow = qRgb(28, 28, 28);
constexpr QRgb kEvent = qRgb(41, 182, 246);

void DrawFootage(QPainter& painter, const TimelineAxis& axis, const std::vector<TimeSpan>& spans,
                 const QRect& band) {
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

void DrawEvents(QPainter& painter, const TimelineAxis& axis,
                const std::vector<ActivityEvent>& events, const QRect& band) {
    for (const ActivityEvent& event : events) {
        const int first = axis.ColumnOf(event.start);
        const int last = axis.ColumnOf(event.end);
        if (last < 0 || first >= axis.Columns()) {
            continue;
        }
        const int from = std::max(first, 0);
        const int width = std::max(std::min(last, axis.Columns() - 1) - from + 1, kLeastEventWidth);
        const double share = std::min(1.0, std::sqrt(event.peak / kFullEventPeak));
        const int height = std::max(kLeastEventHeight, int(std::lround(band.height() * share)));
        painter.fillRect(band.left() + from, band.bottom() + 1 - height, width, height,
                         QColor(kEvent));
    }
}

void DrawFolderTicks(QPainter& painter, const TimelineAxis& axis,
                     const std::vector<std::int64_t>& starts, const QRect& band) {
    const std::int64_t end = axis.ColumnStart(axis.Columns());
    auto start = std::lower_bound(starts.begin(), starts.end(), axis.ColumnStart(0));
    while (start != starts.end() && *start < end) {
        const int column = axis.ColumnOf(*start);
        painter.fillRect(band.left() + column, band.top(), 1, band.height(), QColor(kFolderTick));
        start = std::lower_bound(start, starts.end(), axis.ColumnStart(column + 1));
    }
}

void DrawTimeLine(QPainter& painter, const TimelineAxis& axis, const QRect& track,
                  std::int64_t time, QColor colour, int width) {
    const int column = axis.ColumnOf(time);
    if (column >= 0 && column < axis.Columns()) {
        painter.fillRect(track.left() + column - width / 2, track.top(), width, track.height(),
                         colour);
    }
}

void DrawMarks(QPainter& painter, const TimelineAxis& axis, const QRect& track,
               std::optional<std::int64_t> in, std::optional<std::int64_t> out) {
    if (in && out) {
        const int from = std::clamp(axis.ColumnOf(*in), 0, axis.Columns());
        const int to = std::clamp(axis.ColumnOf(*out), 0, axis.Columns());
        painter.fillRect(track.left() + std::min(from, to), track.top(), std::abs(to - from),
                         track.height(), QColor::fromRgba(kClip));
    }
    for (const std::optional<std::int64_t>& mark : {in, out}) {
        if (mark) {
            DrawTimeLine(painter, axis, track, *mark, QColor(kMark), kMarkWidth);
        }
    }
}

void DrawScale(QPainter& painter, const std::vector<ScaleTick>& ticks,
               const std::vector<int>& minorTicks, const QRect& band, const QFontMetrics& metrics,
               const QColor& text) {
    for (const int column : minorTicks) {
        painter.fillRect(band.left() + column, band.top(), 1, kMinorTickHeight, text);
    }
    // A label that would reach past the track's ends is left out, its tick kept.
    const QRect labels = band.adjusted(0, kScaleTickHeight, 0, 0);
    painter.setPen(text);
    for (const ScaleTick& tick : ticks) {
        const int x = band.left() + tick.column;
        painter.fillRect(x, band.top(), 1, kScaleTickHeight, text);
        const int labelWidth = metrics.horizontalAdvance(tick.label);
        const int left = x - labelWidth / 2;
        if (left >= band.left() && left + labelWidth <= band.right() + 1) {
            painter.drawText(QRect(left, labels.top(), labelWidth, labels.height()),
                             Qt::AlignCenter, tick.label);
        }
    }
}

}  // namespace

TrackRows TrackRows::Within(const QRect& area, int line) {
    TrackRows rows;
    rows.ticks = QRect(area.left(), area.top(), area.width(), kTickHeight);
    rows.activity = QRect(area.left(), rows.ticks.bottom() + 1, area.width(), kActivityHeight);
    const int scaleHeight = kScaleTickHeight + line;
    const int footageTop = rows.activity.bottom() + 1;
    rows.footage = QRect(area.left(), footageTop, area.width(),
                         std::max(area.bottom() + 1 - scaleHeight - footageTop, 1));
    rows.scale = QRect(area.left(), rows.footage.bottom() + 1, area.width(), scaleHeight);
    return rows;
}

int TrackFixedHeight(int line) {
    return kTickHeight + kActivityHeight + kMinFootage + kScaleTickHeight + line;
}

void DrawTrack(QPainter& painter, const TrackRows& rows, const TrackContent& content,
               const QFontMetrics& metrics, const QColor& text) {
    painter.fillRect(rows.footage, QColor(kBlank));
    painter.fillRect(rows.ticks, QColor(kTickRow));
    painter.fillRect(rows.activity, QColor(kActivityRow));
    if (content.recording == nullptr) {
        return;
    }
    const TimelineAxis& axis = content.axis;
    const QRect track = rows.Track();
    DrawFootage(painter, axis, content.recording->Spans(), rows.footage);
    DrawEvents(painter, axis, content.events, rows.activity);
    DrawFolderTicks(painter, axis, content.recording->FolderBoundaries(), rows.ticks);
    DrawMarks(painter, axis, track, content.markIn, content.markOut);
    if (content.pointerX) {
        painter.fillRect(*content.pointerX, track.top(), 1, track.height(),
                         QColor::fromRgba(kHover));
    }
    if (content.shown) {
        DrawTimeLine(painter, axis, track, *content.shown, QColor(kMarker), kMarkerWidth);
    }
    DrawScale(painter, content.scale, content.minorTicks, rows.scale, metrics, text);
}

}  // namespace orvik
