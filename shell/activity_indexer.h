// The activity of the recording open, measured in the background: when a recording is read,
// each of its date folders' activity is taken from the cache or measured, on worker threads
// that give way to the window's, the folder shown first and then those after it and before
// it. Nothing waits for it: play and keys go on, and what is ready is there to be asked at
// any time (the events so far, the next event from a frame). A region drawn in the Frame
// window measures the recording again within it; each recording's region is remembered.
#pragma once

#include <QObject>
#include <QRect>
#include <QThreadPool>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "library/activity_events.h"
#include "library/recording_timeline.h"

namespace orvik {

class ActivityIndex;
class Player;

class ActivityIndexer : public QObject {
    Q_OBJECT

  public:
    explicit ActivityIndexer(Player& player, QObject* parent = nullptr);
    // Stops the measuring: folders not begun are dropped, those begun end after their frame.
    ~ActivityIndexer() override;

    // The index of the recording open, shared with whoever draws it (it stays whole while
    // held, also after another recording opens); null while none is.
    std::shared_ptr<const ActivityIndex> Index() const;
    int FoldersReady() const;
    int FolderCount() const;
    bool Complete() const { return FolderCount() > 0 && FoldersReady() == FolderCount(); }
    const QRect& Region() const { return region; }

    // The first frame of the event after (next) or before the frame shown, across folders
    // and days; none when there is none among the folders measured so far.
    std::optional<FramePosition> EventBeside(bool next) const;

  public slots:
    // Measures the recording the Player has read (none: stops), within the region
    // remembered for it.
    void start();
    // Measures again within region (picture pixels; a null rectangle: the whole picture),
    // and remembers it for the recording.
    void setRegion(const QRect& region);

  signals:
    // The region activity is measured in is another (a recording with its own was opened).
    void regionChanged(const QRect& region);
    // A folder's activity is in the index: so many of the recording's folders are.
    void progressed(int foldersReady, int folders);

  private:
    struct Run;
    void Measure();
    void Dispatch();
    std::optional<FramePosition> ShownPosition() const;

    Player& player;
    QRect region;
    QThreadPool workers;
    std::shared_ptr<Run> run;
    std::vector<std::int32_t> order;  // the folders, in the order they are measured
    std::size_t dispatched = 0;
    int inFlight = 0;
};

}  // namespace orvik
