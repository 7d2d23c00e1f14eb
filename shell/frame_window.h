// The Frame window: the whole picture the viewer presents, upright and exactly as presented,
// fitted to the window with its aspect kept. The wheel or Ctrl+plus / Ctrl+minus zoom around
// the pointer, 1 shows the picture 1:1, 0 fits it again, dragging pans and F11 toggles full
// screen. Scaling repeats or drops pixels (nearest neighbour), never blends them, so at 1:1
// every pixel on screen is the picture's own. Dragging with Shift held draws the region that
// activity is measured in, shown as an outline; a Shift+click clears it. The zoom and pan stay
// while pictures of the same size follow each other. It decodes nothing: the viewer hands it every
// picture.
#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>
#include <optional>

namespace orvik {

class FrameWindow : public QWidget {
    Q_OBJECT

  public:
    // A top-level window (also when given a parent, which it closes with).
    explicit FrameWindow(QWidget* parent = nullptr);

    // Shows picture (kept as given: QImage shares its pixels, so hand over one that owns
    // them) and titles the window "Frame — " and dateTime (YYYY/MM/DD HH:MM:SS.cc). A
    // picture of another size than the last is fitted afresh. A null picture shows none.
    // A note says the picture is not the frame named (it is damaged or gone): the picture
    // is dimmed under it, and the title says it too.
    void SetPicture(const QImage& picture, const QString& dateTime, const QString& note = {});

    // The region activity is measured in, in picture pixels; a null rectangle for the whole
    // picture. Set by the viewer for the recording it opens.
    void SetRegion(const QRect& region);
    const QRect& Region() const { return region; }

    QSize sizeHint() const override;

  signals:
    // The user drew a region (Shift+drag) or cleared it (Shift+click: a null rectangle).
    void regionDrawn(const QRect& region);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // Where the picture lies: its top-left corner in the window and the window pixels a
    // picture pixel takes.
    struct Placement {
        QPointF origin;
        double scale = 1.0;
    };
    Placement Fitted() const;
    Placement Shown() const { return zoomed ? *zoomed : Fitted(); }
    // Scales by factor keeping the picture point under at where it is.
    void ZoomAround(QPointF at, double factor);
    // 1:1, keeping the picture point at the window's centre there, on whole pixels.
    void ShowActualSize();
    // Where the keys zoom around: the pointer when it is over the window, else the centre.
    QPointF KeyZoomPoint() const;
    // The picture pixel under a window point, kept within the picture.
    QPoint PicturePoint(QPointF at) const;
    // A rectangle of picture pixels as it lies in the window.
    QRectF InWindow(const QRect& pictureRect) const;
    // The rectangle from the Shift+press to at, in picture pixels.
    QRect DrawnRegion(QPointF at) const;

    QImage picture;
    QString note;
    std::optional<Placement> zoomed;  // none: fitted to the window
    // A press that may drag: where it was and the placement then.
    std::optional<QPointF> dragFrom;
    Placement placementAtPress;
    QRect region;                      // picture pixels; null: the whole picture
    std::optional<QPoint> regionFrom;  // the picture pixel a Shift+press began a region at
    QRect regionDrawing;               // the region being drawn
};

}  // namespace orvik
