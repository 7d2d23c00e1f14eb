// Acts on a modal dialog that the code under test opens and waits on: as soon as a modal
// widget of the wanted type is up, the action runs on it (and is expected to close it). If
// none shows up, every window is closed so that the test fails instead of hanging.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace orvik::test {

template <typename Dialog>
void WhenModalShown(std::function<void(Dialog*)> act) {
    constexpr int kPollMs = 10;
    constexpr int kMaxPolls = 500;
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, polls = 0, act]() mutable {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr && dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
        } else if (++polls == kMaxPolls) {
            timer->stop();
            timer->deleteLater();
            QApplication::closeAllWindows();
        }
    });
    timer->start(kPollMs);
}

}  // namespace orvik::test
