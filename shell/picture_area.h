// The picture area of the main window: the black frame around it (control 1014) and, inside,
// the 640 x 480 picture surface that frames are presented into. A frame 640 pixels wide or
// wider is drawn unscaled from its lower-left corner; a narrower one is enlarged by half
// about the area's centre, rows and columns repeated or dropped, never blended. What a
// smaller picture leaves uncovered keeps what was drawn there before. A brief note can lie
// over the picture's foot, and a hint in the middle while no recording is open. It carries
// the keyboard focus and the context menu of the viewer's keys, and tells of clicks, double
// clicks and wheel notches over it.
#pragma once

#include <QFrame>
#include <QImage>
#include <QString>
#include <QTimer>

class QPainter;

namespace orvik {

inline constexpr int kPictureAreaWidth = 640;
inline constexpr int kPictureAreaHeight = 480;
// The frame lies this far outside the picture on every side.
inline constexpr int kPictureFrameMargin = 2;

class PictureArea : public QFrame {
    Q_OBJECT

  public:
    explicit PictureArea(QWidget* parent = nullptr);

    // Draws a decoded picture (Format_BGR888, its first row the bottom of what it shows) into
    // the surface; a null picture draws nothing.
    void Present(const QImage& bottomUp);
    // Blackens the top-left width x height of the surface: the area an old picture covered
    // when a frame of another size arrives. Shown at the next presentation.
    void Blacken(int width, int height);
    // The whole surface black, at once.
    void Blank();
  public slots:
    // A brief word over the picture's foot, gone after a few seconds; empty for none.
    void SetNote(const QString& text);

  public:
    // While the picture is not the frame named (damaged or gone): a note over the middle,
    // and the picture dimmed beneath it, or none when there is no picture to keep. Empty
    // note: the picture as it is.
    void SetFrameNote(const QString& text, bool pictureKept);

    // What to say while no recording is open (how to open one); empty for nothing.
    void SetHint(const QString& text);

    const QImage& Surface() const { return surface; }
    const QString& FrameNote() const { return frameNote; }
    const QString& Note() const { return note; }

  signals:
    void clicked();
    void doubleClicked();
    // Whole wheel notches turned over the picture: positive away from the user.
    void wheelTurned(int notches);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    // A rounded dark band with white text over the picture.
    static void DrawBand(QPainter& painter, const QRect& band, const QString& text);

    QImage surface;  // Format_RGB32, 640 x 480
    QString note;
    QTimer noteTimer;
    QString frameNote;
    bool pictureKept = true;
    QString hint;
    int wheelAngle = 0;  // eighths of a degree turned since the last whole notch
};

}  // namespace orvik
