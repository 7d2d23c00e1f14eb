// The Timeline window: the whole recording at a glance, drawn from its timeline alone. Time
// runs left to right across the track: footage where frames were captured and blank where
// none were, a tick above the track at every folder's first frame, the clip's marks, a
// marker at the frame shown, and a scale of round times below. The wheel zooms around the
// pointer from the whole recording down to a minute, dragging pans, and a click asks for the
// last frame captured at or before the time under the pointer. Hovering shows that time, and
// above the pointer a small picture of that frame, decoded on a worker (TimelinePreview).
// While playing, a zoomed-in view moves along with the marker, except for a while after the
// user moved the view, so that a pan or zoom is not undone under the user's hand. The status
// line names the frame shown and, while hovering, the time under the pointer.
#pragma once

#include <QWidget>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "library/activity_index.h"
#include "library/recording_timeline.h"
#include "shell/timeline_axis.h"
#include "shell/timeline_preview.h"
#include "shell/timeline_track.h"

namespace orvik {

class TimelineWindow : public QWidget {
    Q_OBJECT

  public:
    // How long after the user pans or zooms the view stays where the user put it.
    static constexpr std::chrono::milliseconds kFollowPause{3000};

    // A top-level window (also when given a parent, which it closes with).
    explicit TimelineWindow(QWidget* parent = nullptr,
                            std::chrono::milliseconds followPause = kFollowPause);

    // The recording to show, viewed whole; null for no recording.
    void SetTimeline(std::shared_ptr<const RecordingTimeline> timeline);
    // The frame the viewer shows, by its slots: the marker and the status line follow it,
    // and while playing a zoomed-in view keeps it in sight. A position outside the recording
    // shows none.
    void SetShownFrame(int folderIndex, int fileIndex, bool playing = false);
    // Where the hover's pictures come from; without one the preview shows times only.
    void SetFrameSource(FrameFileSource source);
    // The activity measured so far (null: none) and how many of the recording's folders it
    // holds: the events stand above the footage, the status line says how far it is.
    void SetActivity(std::shared_ptr<const ActivityIndex> index, int foldersReady, int folders);
    // The clip's start and end (absolute times); none hides a mark.
    void SetMarks(std::optional<std::int64_t> in, std::optional<std::int64_t> out);

    // What the status line says: "folder k of M · frame n of N · YYYY/MM/DD HH:MM:SS.cc" for
    // the frame shown, then how far the activity is measured, or the events it found.
    QString StatusText() const;
    // The x at which a time is drawn in the present view; none when it is off the track or
    // there is no recording.
    std::optional<int> XOfTime(std::int64_t time) const;
    // The time scale's ticks in the present view, as drawn under the track.
    std::vector<ScaleTick> Scale() const;
    // The columns of the scale's short ticks between the labelled ones.
    std::vector<int> MinorScale() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    // A click on the track: the last frame captured at or before the time under the pointer
    // (the first frame of that folder when none is).
    void frameChosen(int folderIndex, int fileIndex);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    // Rows from top to bottom: the view's bounds, the track's rows, the status.
    struct Layout {
        QRect bounds;
        TrackRows rows;
        QRect status;
    };
    Layout LayOut() const;
    bool HasRecording() const { return timeline != nullptr && !timeline->Empty(); }
    // The track's column under an x, kept on the track.
    int ColumnAt(int x) const;

    std::optional<std::int64_t> ShownTime() const;
    // The step between the scale's labelled ticks in the present view; 0 without a recording.
    std::int64_t ScaleStepNow() const;
    void DrawTexts(QPainter& painter, const Layout& layout) const;
    // The preview of the frame under x, or none off the track.
    void Preview(std::optional<int> x);
    // The user moved the view: it stops following play for a while.
    void ViewMoved() { viewMovedAt = std::chrono::steady_clock::now(); }
    bool MayFollow() const;

    std::shared_ptr<const RecordingTimeline> timeline;
    std::shared_ptr<const ActivityIndex> activity;
    int activityReady = 0;
    int activityFolders = 0;
    TimelineAxis axis;
    std::optional<FramePosition> shown;
    std::optional<std::int64_t> markIn;
    std::optional<std::int64_t> markOut;
    std::optional<int> hoverX;
    // A press on the track: where, and the view then; a drag pans from it.
    std::optional<int> pressX;
    TimelineAxis axisAtPress;
    bool dragging = false;
    const std::chrono::milliseconds followPause;
    std::optional<std::chrono::steady_clock::time_point> viewMovedAt;
    TimelinePreview* preview;
};

}  // namespace orvik
