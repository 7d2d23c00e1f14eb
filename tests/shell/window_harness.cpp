#include "tests/shell/window_harness.h"

#include <QLineEdit>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "library/error_report.h"
#include "platform/path_capacity.h"
#include "settings/settings_store.h"
#include "shell/picture_area.h"
#include "text/bounded_format.h"

namespace orvik::test {

const QColor kRed(200, 40, 40), kGreen(40, 180, 60), kBlue(40, 60, 200), kYellow(210, 200, 40),
    kCyan(40, 190, 200), kMagenta(190, 50, 180), kGrey(128, 128, 128), kOrange(230, 130, 30),
    kTeal(20, 90, 90);

void UseTestSettings() {
    QStandardPaths::setTestModeEnabled(true);
    // The activity the viewer measures is kept apart from the user's own cache.
    static QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    for (const char* name : {"Brightness", "Contrast", "Hue", "Saturation"}) {
        WriteSetting(name, 49);
    }
}

WindowHarness::WindowHarness(bool standardRecording) {
    if (standardRecording) {
        WriteFrames(recording, kFirstFolder,
                    {{TimeOfDay(21, 0, 0), kRed},
                     {TimeOfDay(21, 0, 1), kGreen},
                     {TimeOfDay(21, 0, 2), kBlue}});
        WriteFrames(recording, kMiddleFolder,
                    {{TimeOfDay(22, 0, 0), kYellow}, {TimeOfDay(22, 0, 1), kCyan}});
        WriteFrames(recording, kLastFolder,
                    {{TimeOfDay(23, 59, 0), kMagenta},
                     {TimeOfDay(23, 59, 10), kGrey},
                     {TimeOfDay(23, 59, 20), kOrange},
                     {TimeOfDay(23, 59, 40), kTeal}});
    }
    SetErrorReporter([this](const ErrorReport& report) {
        reports.emplace_back(report.what);
        if (duringReport) {
            duringReport();
        }
    });
    mainWindow = std::make_unique<MainWindow>([this](QWidget*, char* path) {
        if (chooserAnswer != "cancel") {
            BoundedFormat(path, kPathCapacity, "%s", recording.Path(chooserAnswer).c_str());
        }
    });
    player().Timer().stop();  // the tests fire the ticks
    mainWindow->show();
    if (!QTest::qWaitForWindowExposed(mainWindow.get())) {
        qFatal("the main window was not shown");
    }
}

WindowHarness::~WindowHarness() {
    mainWindow.reset();
    SetErrorReporter({});
}

void WindowHarness::ChooserAnswers(const std::string& relative) {
    chooserAnswer = relative;
}

void WindowHarness::Choose(const std::string& relative) {
    ChooserAnswers(relative);
    Click(ControlId::ChooseFolder);
    WaitForReading();
}

void WindowHarness::WaitForReading() {
    // The recording is read on a thread of its own; its reports come first.
    if (!QTest::qWaitFor([this] { return !player().Reading(); }, 20000)) {
        qFatal("the recording was not read");
    }
    QCoreApplication::processEvents();  // the repaints that the lit-button rule runs in
}

void WindowHarness::Click(ControlId id) {
    QTest::mouseClick(Control(id), Qt::LeftButton);
    QCoreApplication::processEvents();  // the repaints that the lit-button rule runs in
}

void WindowHarness::OpenActive(const std::string& relative) {
    Choose(relative);
    mainWindow->activateWindow();
    if (!QTest::qWaitForWindowActive(mainWindow.get())) {
        qFatal("the main window did not become active");
    }
}

void WindowHarness::Keys(const QList<QKeySequence>& keys) {
    for (const QKeySequence& key : keys) {
        QTest::keySequence(mainWindow.get(), key);
    }
}

void WindowHarness::Tick(int count) {
    for (int i = 0; i < count; ++i) {
        player().tick();
    }
}

bool WindowHarness::TickUntil(const std::function<bool()>& done, int limit) {
    for (int i = 0; i < limit; ++i) {
        if (done()) {
            return true;
        }
        Tick();
    }
    return done();
}

QString WindowHarness::Text(ControlId id) {
    return Edit(id)->text();
}

// The windows name each control by its number.
QSlider* WindowHarness::Slider(ControlId id) {
    return mainWindow->findChild<QSlider*>(QString::number(int(id)));
}

QWidget* WindowHarness::Control(ControlId id) {
    return mainWindow->findChild<QWidget*>(QString::number(int(id)));
}

QLineEdit* WindowHarness::Edit(ControlId id) {
    return mainWindow->findChild<QLineEdit*>(QString::number(int(id)));
}

QRgb WindowHarness::Picture(int x, int y) {
    return mainWindow->Picture().Surface().pixel(x, y);
}

bool WindowHarness::Shows(const QColor& colour) {
    const QRgb shown = Picture(320, 240);
    const std::vector<QColor> frameColours = {Qt::black, kRed,     kGreen, kBlue,   kYellow,
                                              kCyan,     kMagenta, kGrey,  kOrange, kTeal};
    return NearestIs(shown, colour, frameColours);
}

}  // namespace orvik::test
