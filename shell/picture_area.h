// The picture area of the main window: the black frame around it (control 1014) and, inside,
// the 640 x 480 picture surface that frames are presented into. A frame 640 pixels wide or
// wider is drawn unscaled from its lower-left corner; a narrower one is enlarged by half
// about the area's centre, rows and columns repeated or dropped, never blended. What a
// smaller picture leaves uncovered keeps what was drawn there before. A brief note can lie
// over the picture's foot. It carries the keyboard focus and the context menu of the
// viewer's keys.
#pragma once

#include <QFrame>
#include <QImage>
#include <QString>
#include <QTimer>

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
    const QImage& Surface() const { return surface; }
    const QString& Note() const { return note; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage surface;  // Format_RGB32, 640 x 480
    QString note;
    QTimer noteTimer;
};

}  // namespace orvik
