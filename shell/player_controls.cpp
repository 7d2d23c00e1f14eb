#include "shell/player_controls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSlider>

#include "library/capture_time.h"
#include "shell/dialog/dialog_controls.h"
#include "shell/marked_slider.h"
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
      positionSlider(controls.Get<MarkedSlider>(ControlId::PositionSlider)),
      searchButton(controls.Get<QWidget>(ControlId::Search)),
      date{controls.Get<QLineEdit>(ControlId::DateBox), {}},
      time{controls.Get<QLineEdit>(ControlId::TimeBox), {}} {
    auto* speedBox = controls.Get<QLineEdit>(ControlId::SpeedBox);
    speedSlider->setRange(Player::kSpeedMin, Player::kSpeedMax);
    speedSlider->setValue(player.Speed());
    speedBox->setText(QString::number(player.Speed()));
    positionSlider->setRange(1, 1);
    ShowNumber(1);

    ConnectTypedBox(date, &Player::dateTextChanged);
    ConnectTypedBox(time, &Player::timeTextChanged);
    connect(qApp, &QApplication::focusChanged, this, &PlayerControls::FocusMoved);
    connect(&player, &Player::fileTextChanged, controls.Get<QLineEdit>(ControlId::FramePath),
            &QLineEdit::setText);
    connect(&player, &Player::positionRangeChanged, this, [this](int maximum) {
        positionSlider->setRange(1, maximum);
        ShowMarks(markStart, markEnd);  // a folder of its own
    });
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
    for (QSlider* slider : std::initializer_list<QSlider*>{speedSlider, positionSlider}) {
        slider->setFocusPolicy(Qt::NoFocus);
    }
}

void PlayerControls::ConnectTypedBox(TypedBox& typed, void (Player::*changed)(const QString&)) {
    connect(&player, changed, this, [this, &typed](const QString& text) { ShowText(typed, text); });
    connect(typed.box, &QLineEdit::textEdited, this, [&typed] { typed.editing = true; });
    typed.box->installEventFilter(this);
}

void PlayerControls::ShowText(TypedBox& typed, const QString& text) {
    typed.latest = text;
    if (!typed.editing) {
        typed.box->setText(text);
    }
}

void PlayerControls::EndEditing(TypedBox& typed, bool restore) {
    typed.editing = false;
    if (restore) {
        typed.box->setText(typed.latest);
    }
}

std::pair<QString, QString> PlayerControls::TakeTypedDateTime() {
    EndEditing(date, false);
    EndEditing(time, false);
    return {date.box->text(), time.box->text()};
}

// Enter and Escape in a search box are the box's own, not the window's shortcuts.
bool PlayerControls::eventFilter(QObject* watched, QEvent* event) {
    TypedBox& typed = watched == date.box ? date : time;
    const bool keyEvent =
        event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (!keyEvent || (watched != date.box && watched != time.box)) {
        return QObject::eventFilter(watched, event);
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Escape) {
        return QObject::eventFilter(watched, event);
    }
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return false;
    }
    if (key == Qt::Key_Escape) {
        EndEditing(typed, true);
    } else {
        emit searchAsked();
    }
    return true;
}

void PlayerControls::FocusMoved(QWidget* from, QWidget* to) {
    for (TypedBox* typed : {&date, &time}) {
        const bool stillSearching = to == date.box || to == time.box || to == searchButton;
        if (from == typed->box && !stillSearching) {
            EndEditing(*typed, false);
        }
    }
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

void PlayerControls::ShowMarks(std::optional<std::int64_t> start, std::optional<std::int64_t> end) {
    markStart = start;
    markEnd = end;
    positionSlider->SetMarks(NumberAt(start), NumberAt(end));
}

std::optional<int> PlayerControls::NumberAt(std::optional<std::int64_t> moment) const {
    const CMavFolder* folder = player.Library().CurrentFolder();
    if (!moment || folder == nullptr) {
        return std::nullopt;
    }
    for (std::int32_t i = 0; i < folder->GetFileCount(); ++i) {
        if (MomentOf(folder->dateKey, folder->GetFile(i)->timeKey) == *moment) {
            return i + 1;
        }
    }
    return std::nullopt;
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
