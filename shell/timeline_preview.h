// TimelinePreview: the small picture that hovering the Timeline shows above the pointer: the
// frame a click there would go to, captioned with that frame's own capture time. The picture
// is decoded on demand by a ThumbnailWorker; until it comes the box is empty, and a frame
// that cannot be decoded says so ("Damaged frame", "Frame missing") in place of a picture.
// A picture is only ever shown under the caption of the frame it was decoded from: results
// of orders since replaced are dropped.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

#include "library/recording_timeline.h"
#include "shell/thumbnail_worker.h"

namespace orvik {

// What to decode for the frame at a position, captured at time: its file and the viewer's
// way of decoding; none when that frame cannot be named now (the library busy, or holding
// another recording than the Timeline's, whose frame there has another time).
using FrameFileSource =
    std::function<std::optional<ThumbnailOrder>(FramePosition frame, std::int64_t time)>;

class TimelinePreview : public QWidget {
    Q_OBJECT

  public:
    // A floating window of its own, closed with its parent.
    explicit TimelinePreview(QWidget* parent);

    // Without a source, or when it names no file, the preview shows the caption over an
    // empty box.
    void SetSource(FrameFileSource source);
    // Shows the frame at position, captured at time, centred above x (global) over the
    // track (its rectangle in global coordinates; below it when there is no room above).
    // A frame other than the one shown is ordered from the worker.
    void ShowFrame(FramePosition frame, std::int64_t time, int x, const QRect& track);
    // Hides and forgets the frame: after a new recording the same position is another frame.
    void Forget();

    // What the preview says: the frame's capture time, and in place of the picture a note
    // ("Damaged frame", "Frame missing"), empty while the picture is shown or awaited.
    QString Caption() const { return caption; }
    QString Note() const { return note; }
    // The frame's picture as decoded; null until it comes, or when it cannot be decoded.
    const QImage& Picture() const { return picture; }
    // The worker's decodes so far (none before the first order).
    int DecodedCount() const { return worker != nullptr ? worker->DecodedCount() : 0; }

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Take(const Thumbnail& thumbnail);
    void Place(int x, const QRect& track);

    FrameFileSource source;
    ThumbnailWorker* worker = nullptr;  // made at the first order
    std::optional<FramePosition> frame;
    std::uint64_t awaited = 0;  // the order whose result is shown; 0 for none
    QString caption;
    QString note;
    QImage picture;
};

}  // namespace orvik
