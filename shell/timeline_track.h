// The Timeline's track, drawn from its axis and the recording's timeline alone: footage and
// blank, folder ticks above, the clip's marks, the marker at the frame shown, and the time
// scale below. Every part goes column by column or span by span, never frame by frame, so
// drawing costs the same for an hour as for a month.
#pragma once

#include <QFontMetrics>
#include <QPainter>
#include <QRect>
#include <cstdint>
#include <optional>
#include <vector>

#include "library/activity_events.h"
#include "library/recording_timeline.h"
#include "shell/timeline_axis.h"
#include "shell/timeline_scale.h"

namespace orvik {

// The rows of the track, top to bottom. A new row is one more rectangle here, its place in
// Within and its drawing in DrawTrack.
struct TrackRows {
    QRect ticks;     // a tick at every folder's first frame
    QRect activity;  // the events, each as high as its peak
    QRect footage;   // footage where frames were captured, blank where none were
    QRect scale;     // the time scale's ticks and labels
    // The rows filling area, each line of text high: the footage takes what the others leave.
    static TrackRows Within(const QRect& area, int line);
    // The rows the marks, the marker and the pointer's line cross.
    QRect Track() const { return ticks.united(footage); }
};

// The least height of the rows together, with lines of text this high.
int TrackFixedHeight(int line);

// What the track shows; the recording is null for none.
struct TrackContent {
    const TimelineAxis& axis;
    const RecordingTimeline* recording = nullptr;
    std::optional<std::int64_t> markIn;
    std::optional<std::int64_t> markOut;
    std::optional<std::int64_t> shown;  // the frame shown's time
    std::optional<int> pointerX;        // the line under the pointer
    std::vector<ActivityEvent> events;  // those found so far, in time order
    std::vector<ScaleTick> scale;
    std::vector<int> minorTicks;  // the scale's short ticks, by column
};

// Every row of the track, back to front: backgrounds, footage, events and folder ticks, the
// clip and its marks, the pointer's line, the marker, the scale. Without a recording, blank rows.
void DrawTrack(QPainter& painter, const TrackRows& rows, const TrackContent& content,
               const QFontMetrics& metrics, const QColor& text);

}  // namespace orvik
