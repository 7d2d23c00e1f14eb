// The Timeline's time scale: ticks at round times under the track, each with its label. The
// step between ticks is the finest of a ladder of round steps (seconds, minutes, hours, days)
// whose labels still fit between neighbouring ticks, so a view of an hour shows a tick every
// few minutes and a view of a month one every day or two. Ticks sit on multiples of the step
// counted from 2000/01/01 00:00, which for the steps of a day or less are the round times of
// the clock. Between labelled ticks, shorter ones mark the next finer unit (the hours
// between labels two or more hours apart, and so on) where they leave room.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "shell/timeline_axis.h"

namespace orvik {

struct ScaleTick {
    std::int64_t time = 0;
    int column = 0;
    QString label;
};

// The width in pixels a label takes on screen.
using LabelWidth = std::function<int(const QString& label)>;

// The step between ticks for the view: the finest whose widest label, with a gap, fits
// between two ticks; past the ladder's top, a multiple of its top step.
std::int64_t ScaleStep(const TimelineAxis& axis, const LabelWidth& width);

// Every tick of step in the view, left to right.
std::vector<ScaleTick> ScaleTicks(const TimelineAxis& axis, std::int64_t step);

// The step of the short ticks between labelled ones: the finest of a second, a minute, an
// hour and a day below step that divides it and leaves at least a few pixels between
// ticks; 0 for none.
std::int64_t MinorStep(const TimelineAxis& axis, std::int64_t step);

// The columns of every multiple of minor in the view that is not a multiple of step, left to
// right; none for a minor step of 0.
std::vector<int> MinorTickColumns(const TimelineAxis& axis, std::int64_t minor, std::int64_t step);

// A tick's label: "HH:MM:SS" for steps under a minute, "HH:MM" under a day (the date
// "MM/DD" at midnight, where the day changes), "MM/DD" for steps of days and "YYYY/MM/DD"
// for steps of four weeks or more.
QString ScaleLabel(std::int64_t time, std::int64_t step);

}  // namespace orvik
