// The main window's controls that show the Player and drive it, beside the transport
// buttons: the date, time and path boxes, the speed slider with its number box, and the
// position slider with its number box. The Player's signals fill them; moving a slider asks
// the Player (only once the window's start-up is done, and the position slider's move is
// refused while the library is taken). The navigation controls are enabled together.
#pragma once

#include <QObject>

class QLineEdit;
class QSlider;

namespace orvik {

class DialogControls;
class Player;

class PlayerControls : public QObject {
    Q_OBJECT

  public:
    // Sets the sliders' ranges and numbers as the Player starts, and connects both ways.
    PlayerControls(Player& player, const DialogControls& controls, QObject* parent);

    // Enables or disables the navigation controls, in their order; disabling first blanks the
    // boxes and the position slider. Choose folder and the speed slider stay enabled always.
    void SetNavigationEnabled(bool enable);
    // Slider moves count from now on.
    void SetReady() { ready = true; }

  private:
    void ShowNumber(int number);
    void PositionSliderMoved();

    Player& player;
    const DialogControls& controls;
    QLineEdit* positionBox;
    QSlider* speedSlider;
    QSlider* positionSlider;
    bool ready = false;
};

}  // namespace orvik
