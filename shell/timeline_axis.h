// TimelineAxis: the stretch of time the Timeline window's track shows across its columns, and
// the exact mapping between columns and times. A time is drawn in the column it rounds to,
// so column c shows the times from ColumnStart(c) up to ColumnStart(c + 1), the first
// column holding the view's begin and the last its end. The arithmetic is in integers (a
// view's span times the columns stays far inside 64 bits), so a click on the column where a
// frame is drawn finds that very frame.
#pragma once

#include <cstdint>

#include "library/time_of_day.h"

namespace orvik {

class TimelineAxis {
  public:
    // The narrowest view: a minute (the whole recording when that is shorter).
    static constexpr std::int64_t kNarrowestSpan = kHundredthsPerMinute;

    // Views [first, last] whole, as the widest view; at least a minute wide, centred on
    // the recording when it is shorter.
    void ShowWhole(std::int64_t first, std::int64_t last);
    // The track's width in pixels (at least 1).
    void SetColumns(int columns);

    int Columns() const { return columns; }
    std::int64_t Begin() const { return begin; }
    std::int64_t End() const { return begin + span; }

    // The column a time is drawn in; times outside the view give -1 or Columns().
    int ColumnOf(std::int64_t time) const;
    // The first time drawn in the column.
    std::int64_t ColumnStart(int column) const;
    // The latest time drawn in the column (for a column too narrow to hold a time of its
    // own, the one before it).
    std::int64_t LatestTimeIn(int column) const { return ColumnStart(column + 1) - 1; }
    // How many columns a stretch of time spans in the view.
    double ColumnsPer(std::int64_t hundredths) const {
        return static_cast<double>(hundredths) * static_cast<double>(ColumnSteps()) /
               static_cast<double>(span);
    }

    // Scales the view's span by factor (below 1 narrows it), keeping the time at the
    // (fractional) column at where it is; the view stays within the widest view and no
    // narrower than kNarrowestSpan.
    void Zoom(double factor, double at);
    // Moves the view by a number of columns (positive: towards later times), within the
    // widest view.
    void Pan(double byColumns);
    // Keeps a time that moves (the frame shown during play) in view: once it comes within a
    // tenth of the track's width of either end, or leaves the view, the view moves to put it
    // in the middle, so that it runs on across half a track before the view moves again.
    void KeepInView(std::int64_t time);

  private:
    // Hundredths between two neighbouring columns' centres is span / ColumnSteps().
    std::int64_t ColumnSteps() const { return columns > 1 ? columns - 1 : 1; }
    // Sets begin, kept within the widest view.
    void MoveTo(std::int64_t newBegin);

    std::int64_t wholeBegin = 0;
    std::int64_t wholeSpan = kNarrowestSpan;
    std::int64_t begin = 0;
    std::int64_t span = kNarrowestSpan;
    int columns = 1;
};

}  // namespace orvik
