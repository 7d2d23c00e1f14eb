#include "shell/player_controls.h"

#include <QLineEdit>
#include <QSlider>

#include "shell/dialog/dialog_controls.h"
#include "shell/player.h"

namespace orvik {
namespace {

// Disabled and enabled together, in this order.
constexpr ControlId kNavigationControls[] = {
    ControlId::Play,           ControlId::NextFolder,     ControlId::PreviousFolder,
    ControlId::Pause,          ControlId::StepBack,       ControlId::StepForward,
    ControlId::Stop,           ControlId::PlayBackward,   ControlId::Search,
    ControlId::ColourSettings, ControlId::TimeBox,        ControlId::DateBox,
    ControlId::FramePath,      ControlId::PositionSlider, ControlId::PositionBox};

}  // namespace

PlayerControls::PlayerControls(Player& player, const DialogControls& controls, QObject* parent)
    : QObject(parent),
      player(player),
      controls(controls),
      positionBox(controls.Get<QLineEdit>(ControlId::PositionBox)),
      speedSlider(controls.Get<QSlider>(ControlId::SpeedSlider)),
      positionSlider(controls.Get<QSlider>(ControlId::PositionSlider)) {
    auto* speedBox = controls.Get<QLineEdit>(ControlId::SpeedBox);
    speedSlider->setRange(Player::kSpeedMin, Player::kSpeedMax);
    speedSlider->setValue(player.Speed());
    speedBox->setText(QString::number(player.Speed()));
    positionSlider->setRange(1, 1);
    ShowNumber(1);

    connect(&player, &Player::dateTextChanged, controls.Get<QLineEdit>(ControlId::DateBox),
            &QLineEdit::setText);
    connect(&player, &Player::timeTextChanged, controls.Get<QLineEdit>(ControlId::TimeBox),
            &QLineEdit::setText);
    connect(&player, &Player::fileTextChanged, controls.Get<QLineEdit>(ControlId::FramePath),
            &QLineEdit::setText);
    connect(&player, &Player::positionRangeChanged, this,
            [this](int maximum) { positionSlider->setRange(1, maximum); });
    connect(&player, &Player::shownNumberChanged, this, &PlayerControls::ShowNumber);
    connect(&player, &Player::speedChanged, this,
            [speedBox](int speed) { speedBox->setText(QString::number(speed)); });
    connect(speedSlider, &QAbstractSlider::actionTriggered, this, [this] {
        if (ready) {
            this->player.setSpeed(speedSlider->sliderPosition());
        }
    });
    connect(positionSlider, &QAbstractSlider::actionTriggered, this,
            &PlayerControls::PositionSliderMoved);
}

// Taking the position slider shows the frame under the thumb at every step and pauses.
void PlayerControls::PositionSliderMoved() {
    if (!ready) {
        return;
    }
    if (player.Busy()) {
        positionSlider->setSliderPosition(positionSlider->value());  // the move is refused
        return;
    }
    player.showNumber(positionSlider->sliderPosition());
}

void PlayerControls::ShowNumber(int number) {
    positionSlider->setValue(number);
    positionBox->setText(QString::number(number));
}

void PlayerControls::SetNavigationEnabled(bool enable) {
    if (!enable) {
        for (const ControlId id : {ControlId::TimeBox, ControlId::DateBox, ControlId::FramePath,
                                   ControlId::PositionBox}) {
            controls.Get<QLineEdit>(id)->clear();
        }
        positionSlider->setValue(0);
    }
    for (const ControlId id : kNavigationControls) {
        controls.Get<QWidget>(id)->setEnabled(enable);
    }
}

}  // namespace orvik
