// The main window's controls that show the Player and drive it, beside the transport
// buttons: the date, time and path boxes, the speed slider with its number box, and the
// position slider with its number box. The Player's signals fill them; moving a slider asks
// the Player (only once the window's start-up is done, and the position slider's move is
// refused while the library is taken). The navigation controls are enabled together.
//
// The date and time boxes are the search's input too. While one is being edited, from the
// first key typed until the search, Enter, Escape or the focus leaving for anything but the
// other box or Search, the Player's texts do not overwrite it; Enter in either asks for the
// search, Escape gives the box back the Player's text. The sliders never take the keyboard:
// the keys stay the viewer's.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <optional>
#include <utility>

class QLineEdit;
class QSlider;

namespace orvik {

class DialogControls;
class MarkedSlider;
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
    // The clip's marks (capture moments), shown in the position slider's groove while they
    // lie in the current folder.
    void ShowMarks(std::optional<std::int64_t> start, std::optional<std::int64_t> end);
    // The date and time typed, for the search; the boxes' editing ends.
    std::pair<QString, QString> TakeTypedDateTime();

  signals:
    // Enter was pressed in the date or the time box.
    void searchAsked();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // A search input: the Player's latest text for it, and whether the user is editing it.
    struct TypedBox {
        QLineEdit* box;
        QString latest;
        bool editing = false;
    };

    void ShowNumber(int number);
    void PositionSliderMoved();
    // The number of the frame at a capture moment in the current folder; none when none is.
    std::optional<int> NumberAt(std::optional<std::int64_t> moment) const;
    void ConnectTypedBox(TypedBox& typed, void (Player::*changed)(const QString&));
    void ShowText(TypedBox& typed, const QString& text);
    void EndEditing(TypedBox& typed, bool restore);
    void FocusMoved(QWidget* from, QWidget* to);

    Player& player;
    const DialogControls& controls;
    QLineEdit* positionBox;
    QSlider* speedSlider;
    MarkedSlider* positionSlider;
    QWidget* searchButton;
    std::optional<std::int64_t> markStart, markEnd;
    TypedBox date;
    TypedBox time;
    bool ready = false;
};

}  // namespace orvik
