// An owner-drawn button of the main window: it paints the face the lit-button rule gives it
// (ButtonLights), from its pair of bitmaps, each turned upright and scaled to the button
// once and kept.
#pragma once

#include <QImage>
#include <QPushButton>
#include <map>

#include "resources/control_ids.h"

namespace orvik {

class ButtonLights;
struct SkinButtonFaces;

class SkinButton : public QPushButton {
    Q_OBJECT

  public:
    // faces: the button's row of the skin table; lights: the rule's state, shared by the
    // window's buttons.
    SkinButton(const SkinButtonFaces& faces, ButtonLights& lights, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const QImage& Face(int bitmap);

    const SkinButtonFaces& faces;
    ButtonLights& lights;
    std::map<int, QImage> upright;  // by bitmap number, at the button's size
};

}  // namespace orvik
