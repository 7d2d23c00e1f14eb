// An owner-drawn button of the main window: its face comes from the viewer's DrawSkinButton.
#pragma once

#include <QPushButton>
#include <functional>

namespace orvik {

class SkinButton : public QPushButton {
    Q_OBJECT

  public:
    // Draws the face of button id into the painter over rect; pressed = held down now.
    using FacePainter = std::function<void(QPainter&, int id, bool pressed, const QRect& rect)>;

    SkinButton(int id, FacePainter paintFace, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int id;
    FacePainter paintFace;
};

}  // namespace orvik
