// The "Color Setting" window: four sliders for brightness, contrast, hue and saturation with
// their number boxes, over background picture 168 that carries the four labels. Every slider
// step applies the new values to the picture at once; OK or the close box saves them. There
// is no cancel: Escape does nothing.
#pragma once

#include <QDialog>
#include <QImage>
#include <array>
#include <cstddef>
#include <functional>

#include "colour/colour_matrix.h"

class QLineEdit;
class QSlider;

namespace orvik {

class ColourSettingDialog;

// The open colour settings window, or nullptr while none is open. The main window opens one
// only while this is null; the window obeys its sliders only while it is the one set here.
extern ColourSettingDialog* colourDialogWindow;

// What the window shows, applies and saves; separate from the decoder's own copy.
extern PictureAdjustments dialogAdjustments;

class ColourSettingDialog : public QDialog {
    Q_OBJECT

  public:
    // Takes the four values to the picture (the file manager's SetPictureAdjustments).
    using ApplyHook = std::function<void(const PictureAdjustments&)>;
    // Marks the re-decoded frame for drawing (the viewer's frameDirty).
    using FrameDirtyHook = std::function<void()>;

    // Opens the window with no owner: sets colourDialogWindow, places the window at the
    // screen's top-left corner above ordinary windows, reads the four stored settings into
    // dialogAdjustments and applies them (without marking the frame), and sets up the
    // sliders and boxes. The window deletes itself when closed.
    ColourSettingDialog(ApplyHook apply, FrameDirtyHook markFrameDirty);
    ~ColourSettingDialog() override;

    // Closes the window without saving: the main window is closing.
    void EndWithoutSaving();

    // The cancel command (Escape) is ignored: changes are applied as they are made.
    void reject() override;

  protected:
    // Closing by OK or by the close box saves the four values, in their stored order.
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void BuildControls();
    void ShowStoredValues();
    void SliderMoved(std::size_t row, int position);

    ApplyHook apply;
    FrameDirtyHook markFrameDirty;
    std::array<QSlider*, 4> sliders{};
    std::array<QLineEdit*, 4> numberBoxes{};
    QImage background;
    bool saveOnClose = true;
};

// The background as shown at the given size: the stored picture, which is kept upside down,
// turned upright and stretched nearest-neighbour (rows and columns repeated or dropped, never
// blended). A null picture gives a null result.
QImage PrepareBackground(const QImage& stored, QSize size);

}  // namespace orvik
