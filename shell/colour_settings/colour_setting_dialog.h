// The "Color Setting" window: four sliders for brightness, contrast, hue and saturation with
// their number boxes, over background picture 168 that carries the four labels. Every slider
// step applies the new values to the picture at once; OK or the close box saves them. There
// is no cancel: Escape does nothing.
#pragma once

#include <QDialog>
#include <QImage>
#include <array>
#include <cstddef>

#include "colour/colour_matrix.h"

class QLineEdit;
class QSlider;

namespace orvik {

class ColourSettingDialog : public QDialog {
    Q_OBJECT

  public:
    // A window with no owner at the screen's top-left corner, above ordinary windows. It
    // deletes itself when closed.
    ColourSettingDialog();

    // Opens it: reads the four stored settings, applies them (adjustmentsChanged, the frame
    // is not marked), sets up the sliders and boxes, and shows the window.
    void Open();
    // From Open until it closes; a closed window obeys no slider.
    bool IsOpen() const { return open; }
    // What the window shows, applies and saves.
    const PictureAdjustments& Adjustments() const { return adjustments; }

    // Closes the window without saving: the main window is closing.
    void EndWithoutSaving();

    // The cancel command (Escape) is ignored: changes are applied as they are made.
    void reject() override;

  signals:
    // The four values to take to the picture.
    void adjustmentsChanged(const PictureAdjustments& adjustments);
    // A slider moved: the picture, decoded again, is to be presented.
    void pictureChanged();

  protected:
    // Closing by OK or by the close box saves the four values, in their stored order.
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void BuildControls();
    void ShowStoredValues();
    void SliderMoved(std::size_t row, int position);

    PictureAdjustments adjustments;
    std::array<QSlider*, 4> sliders{};
    std::array<QLineEdit*, 4> numberBoxes{};
    QImage background;
    bool open = false;
    bool saveOnClose = true;
};

// The background as shown at the given size: the stored picture, which is kept upside down,
// turned upright and stretched nearest-neighbour (rows and columns repeated or dropped, never
// blended). A null picture gives a null result.
QImage PrepareBackground(const QImage& stored, QSize size);

}  // namespace orvik
