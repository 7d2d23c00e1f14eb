#include "shell/timeline_axis.h"

#include <algorithm>
#include <cmath>

namespace orvik {
namespace {

// a / b rounded up, for b > 0 (division truncates: up for a negative a already).
std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
    return a > 0 ? (a + b - 1) / b : a / b;
}

std::int64_t Rounded(double value) {
    return static_cast<std::int64_t>(std::llround(value));
}

}  // namespace

void TimelineAxis::ShowWhole(std::int64_t first, std::int64_t last) {
    const std::int64_t extent = std::max<std::int64_t>(last - first, 0);
    wholeSpan = std::max(extent, kNarrowestSpan);
    wholeBegin = first - (wholeSpan - extent) / 2;
    begin = wholeBegin;
    span = wholeSpan;
}

void TimelineAxis::SetColumns(int newColumns) {
    columns = std::max(newColumns, 1);
}

int TimelineAxis::ColumnOf(std::int64_t time) const {
    // Times beyond a span on either side are off the track anyway; the clamp keeps the
    // products below in range for any time.
    const std::int64_t offset = std::clamp(time, begin - span, begin + 2 * span) - begin;
    // round(offset / (span / steps)), taken from offset + span so that the division, which
    // truncates, rounds down.
    const std::int64_t steps = ColumnSteps();
    const std::int64_t column = (2 * (offset + span) * steps + span) / (2 * span) - steps;
    return static_cast<int>(std::clamp<std::int64_t>(column, -1, columns));
}

std::int64_t TimelineAxis::ColumnStart(int column) const {
    return begin + CeilDiv((2 * std::int64_t{column} - 1) * span, 2 * ColumnSteps());
}

void TimelineAxis::Zoom(double factor, double at) {
    const double perColumn = static_cast<double>(span) / static_cast<double>(ColumnSteps());
    const double anchor = static_cast<double>(begin) + at * perColumn;
    const double scaled =
        std::clamp(static_cast<double>(span) * factor, 0.0, static_cast<double>(wholeSpan));
    span = std::max(Rounded(scaled), std::min(kNarrowestSpan, wholeSpan));
    const double newPerColumn = static_cast<double>(span) / static_cast<double>(ColumnSteps());
    MoveTo(Rounded(anchor - at * newPerColumn));
}

void TimelineAxis::Pan(double byColumns) {
    const double perColumn = static_cast<double>(span) / static_cast<double>(ColumnSteps());
    MoveTo(begin + Rounded(byColumns * perColumn));
}

void TimelineAxis::KeepInView(std::int64_t time) {
    const int margin = columns / 10;
    const int column = ColumnOf(time);
    if (column < margin || column >= columns - margin) {
        MoveTo(time - span / 2);
    }
}

void TimelineAxis::MoveTo(std::int64_t newBegin) {
    begin = std::clamp(newBegin, wholeBegin, wholeBegin + wholeSpan - span);
}

}  // namespace orvik
