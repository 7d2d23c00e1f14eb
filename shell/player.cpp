// The Player's set-up, its playback tick and what it tells the windows. Every command's
// texts and numbers go out through the signals here, in the order the window shows them.

#include "shell/player.h"

#include "library/capture_time.h"
#include "library/recorded_frames.h"
#include "library/time_of_day.h"
#include "shell/library_turn.h"

namespace orvik {
namespace {

constexpr std::int32_t kClockStepPerSpeed = 10;  // hundredths a tick at speed 1: real time
constexpr std::int32_t kBackwardClockFloor = 100;

QString LibraryText(const char* text) {
    return QString::fromLocal8Bit(text);
}

}  // namespace

Player::Player(QObject* parent) : QObject(parent) {
    files.SetBlackenHook(
        [this](int width, int height) { emit pictureSizeChanging(width, height); });
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(kTickMilliseconds);
    connect(&timer, &QTimer::timeout, this, &Player::tick);
    timer.start();
}

std::optional<std::int64_t> Player::ShownMoment() const {
    return orvik::ShownMoment(files);
}

QString Player::ShownCaptureTime() const {
    if (files.ShownFile() == nullptr) {
        return QString();
    }
    return QString::fromStdString(
        FrameTimeText(files.ShownFolder()->name, files.ShownFile()->timeKey));
}

Player::FrameProblem Player::ShownFrameProblem() const {
    if (files.ShownFile() == nullptr) {
        return FrameProblem::kNone;
    }
    switch (files.LastRefusal()) {
        case FrameRefusal::kNone:
            return FrameProblem::kNone;
        case FrameRefusal::kCannotOpen:
        case FrameRefusal::kUnreadable:
            return FrameProblem::kGone;
        default:
            return FrameProblem::kDamaged;
    }
}

QString Player::ShownFrameNote() const {
    const FrameProblem problem = ShownFrameProblem();
    if (problem == FrameProblem::kNone) {
        return QString();
    }
    const QString what = problem == FrameProblem::kGone ? tr("Frame missing") : tr("Damaged frame");
    if (pictureTime.isEmpty()) {
        return what;
    }
    // The time of day is enough when the picture is of the same day.
    const QString shown = ShownCaptureTime();
    const QString time = pictureTime.left(10) == shown.left(10) ? pictureTime.mid(11) : pictureTime;
    return tr("%1 — showing %2").arg(what, time);
}

void Player::MarkFrameWaiting() {
    frameWaiting = true;
    if (files.ShownFile() != nullptr && files.LastRefusal() == FrameRefusal::kNone) {
        pictureTime = ShownCaptureTime();
    }
}

// While playing, the clock moves and the library shows the frame due; a folder that runs
// out hands over to the folder move, which goes on playing in the next (previous) folder.
// Whatever frame waits is then presented.
void Player::tick() {
    bool folderUsedUp = false;
    const bool forward = playhead.state == PlayState::PlayingForward;
    {
        LibraryTurn turn(busy);
        if (!turn) {
            return;
        }
        if (Playing()) {
            const std::int32_t sign = forward ? 1 : -1;
            if (forward && playhead.clock > kHundredthsPerDay) {
                playhead.clock = 0;  // past midnight
            } else if (!forward && playhead.clock < kBackwardClockFloor) {
                playhead.clock = 0;
            }
            switch (forward ? files.PlayStepForward(playhead) : files.PlayStepBackward(playhead)) {
                case StepResult::Shown:
                    emit fileTextChanged(LibraryText(files.FileText()));
                    emit timeTextChanged(LibraryText(files.TimeText()));
                    MarkFrameWaiting();
                    ShowNumber(files.ShownNumber());
                    playhead.clock += sign * speed * kClockStepPerSpeed;
                    break;
                case StepResult::NotDue:
                    playhead.clock += sign * speed * kClockStepPerSpeed;  // the clock runs on
                    break;
                case StepResult::FolderUsedUp:
                    playhead.state =
                        forward ? PlayState::ForwardFolderEnd : PlayState::BackwardFolderEnd;
                    folderUsedUp = true;
                    break;
            }
        }
        if (!folderUsedUp && frameWaiting) {
            frameWaiting = false;
            emit framePresented();
        }
    }
    if (folderUsedUp) {
        // Runs now, with the library free; the next tick presents its frame.
        MoveFolder(forward ? Direction::Forward : Direction::Backward);
    }
}

void Player::setSpeed(int newSpeed) {
    speed = std::clamp(newSpeed, kSpeedMin, kSpeedMax);
    emit speedChanged(speed);
}

void Player::setAdjustments(const PictureAdjustments& adjustments) {
    LibraryTurn turn(busy);
    if (turn) {
        static_cast<void>(files.SetPictureAdjustments(adjustments.brightness, adjustments.contrast,
                                                      adjustments.hue, adjustments.saturation));
    }
}

void Player::representFrame() {
    if (!busy) {
        MarkFrameWaiting();
    }
}

void Player::ShowCurrentTexts() {
    ShowDateText();
    ShowFrameTexts();
}

void Player::ShowDateText() {
    emit dateTextChanged(LibraryText(files.DateText()));
}

void Player::ShowFrameTexts() {
    emit timeTextChanged(LibraryText(files.TimeText()));
    emit fileTextChanged(LibraryText(files.FileText()));
}

void Player::ShowNumber(std::int32_t number) {
    shownNumber = number;
    emit shownNumberChanged(number);
}

void Player::ResetPositionRange() {
    positionMax = files.FileCount();
    emit positionRangeChanged(positionMax);
    playhead.position = 1;
    ShowPosition();
}

}  // namespace orvik
