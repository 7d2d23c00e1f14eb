// The main window driven as a user would: start-up look, folder choice, stepping, folder
// moves, search, the keys, the colour settings window beside it, the library held off while
// a report is open, and the whole window as it is painted.

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <cerrno>
#include <filesystem>

#include "library/play_state.h"
#include "resources/dialog_template.h"
#include "settings/settings_store.h"
#include "shell/bottom_up_picture.h"
#include "shell/colour_settings/colour_setting_dialog.h"
#include "shell/picture_area.h"
#include "testing/support/fake_listings.h"
#include "tests/shell/window_harness.h"

namespace orvik::test {

namespace {

// The colour settings window that is open, or nullptr.
ColourSettingDialog* OpenColourWindow() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<ColourSettingDialog*>(window);
        if (dialog != nullptr && dialog->IsOpen()) {
            return dialog;
        }
    }
    return nullptr;
}

}  // namespace

namespace {

// The navigation controls are every control but these, which stay enabled (or hidden, or
// only a frame) from start-up on.
bool IsNavigationControl(ControlId id) {
    for (const ControlId other :
         {ControlId::ChooseFolder, ControlId::SpeedSlider, ControlId::SpeedBox,
          ControlId::PictureFrame, ControlId::Close, ControlId::FolderLabel}) {
        if (id == other) {
            return false;
        }
    }
    return true;
}
constexpr ControlId kWhiteControls[] = {
    ControlId::FramePath,   ControlId::SpeedSlider, ControlId::SpeedBox, ControlId::PositionSlider,
    ControlId::PositionBox, ControlId::FolderLabel, ControlId::DateBox,  ControlId::TimeBox};

bool IsWhite(QWidget* control) {
    return control->autoFillBackground() &&
           control->palette().color(QPalette::Window) == QColor(Qt::white) &&
           control->palette().color(QPalette::Base) == QColor(Qt::white);
}

// The state the library and the window keep, as one comparable value.
struct Snapshot {
    PlayState playState;
    std::int32_t playClock, position;
    bool frameDirty;
    QString file, time, date, shownPosition;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(WindowHarness& h) {
    return {h.player().State(),           h.player().Clock(),
            h.player().Position(),        h.player().FrameWaiting(),
            h.Text(ControlId::FramePath), h.Text(ControlId::TimeBox),
            h.Text(ControlId::DateBox),   h.Text(ControlId::PositionBox)};
}

void Type(WindowHarness& h, ControlId id, const QString& text) {
    QLineEdit* edit = h.Edit(id);
    edit->clear();
    QTest::keyClicks(edit, text);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { UseTestSettings(); }

    void startUpLook();
    void startUpRunsTheTimerAndReadsTheStore();
    void chooseFolder_data();
    void chooseFolder();
    void folderGivenAtStartSkipsTheChooser();
    void failedChoiceReturnsToTheStartUpLook_data();
    void failedChoiceReturnsToTheStartUpLook();
    void stepAcrossFolders();
    void stepAtTheEndsOfTheList();
    void folderMovesAtTheEndsLightStop();
    void stopGoesBackToTheFirstFrame();
    void search_data();
    void search();
    void escapeDoesNothing();
    void enterCloses_data();
    void enterCloses();
    void colourSettingsWindowBesideTheMainWindow();
    void windowAnswersWhileARecordingIsRead();
    void wholeWindowAsPainted();
};

void MainWindowTest::startUpLook() {
    WindowHarness h;
    MainWindow& w = h.window();
    QCOMPARE(w.windowTitle(), QString("Orvik View"));
    QCOMPARE(w.size(), QSize(720, 680));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    for (const ControlTemplate& c : MainWindowTemplate().controls) {
        QWidget* control = h.Control(c.id);
        QVERIFY2(control != nullptr, qPrintable(QString("control %1 missing").arg(int(c.id))));
        QCOMPARE(control->geometry(), QRect(2 * c.x, 2 * c.y, 2 * c.width, 2 * c.height));
        QCOMPARE(control->isVisible(), c.id != ControlId::Close && c.id != ControlId::FolderLabel);
        if (control->isVisible()) {  // nothing lies over it to take its mouse presses
            QCOMPARE(w.childAt(control->geometry().center()), control);
        }
        const bool white = std::find(std::begin(kWhiteControls), std::end(kWhiteControls), c.id) !=
                           std::end(kWhiteControls);
        QVERIFY2(IsWhite(control) == white, qPrintable(QString("control %1").arg(int(c.id))));
    }
    for (const ControlTemplate& control : MainWindowTemplate().controls) {
        const ControlId id = control.id;
        if (!IsNavigationControl(id)) {
            continue;
        }
        QVERIFY2(!h.Control(id)->isEnabled(), qPrintable(QString("%1 enabled").arg(int(id))));
    }
    QVERIFY(h.Control(ControlId::ChooseFolder)->isEnabled());
    QVERIFY(h.Control(ControlId::SpeedSlider)->isEnabled());
    QCOMPARE(h.Slider(ControlId::SpeedSlider)->minimum(), 1);
    QCOMPARE(h.Slider(ControlId::SpeedSlider)->maximum(), 8);
    QCOMPARE(h.Slider(ControlId::SpeedSlider)->value(), 5);
    QCOMPARE(h.Text(ControlId::SpeedBox), QString("5"));
    for (const ControlId id :
         {ControlId::FramePath, ControlId::PositionBox, ControlId::DateBox, ControlId::TimeBox}) {
        QVERIFY(h.Text(id).isEmpty());
    }
    // The picture area lies inside its frame, two pixels in.
    QCOMPARE(h.window().Picture().geometry().topLeft() + QPoint(2, 2), QPoint(38, 42));
    QCOMPARE(h.Picture(320, 240), qRgb(0, 0, 0));
    QCOMPARE(h.player().State(), PlayState::Stopped);
    QVERIFY(!w.windowIcon().isNull());
    QCOMPARE(h.window().Lights().Lit().activeButton, ControlId::None);
}

void MainWindowTest::startUpRunsTheTimerAndReadsTheStore() {
    WriteSetting("Brightness", 60);
    WriteSetting("Contrast", 50);
    WriteSetting("Hue", 40);
    WriteSetting("Saturation", 30);
    {
        MainWindow w([](QWidget*, char*) {});
        QVERIFY(w.ThePlayer().Timer().isActive());
        QCOMPARE(w.ThePlayer().Timer().interval(), 100);
        QCOMPARE(w.ThePlayer().Timer().timerType(), Qt::PreciseTimer);
        const PictureAdjustments& a = w.ThePlayer().Library().Decoder().adjustments;
        QCOMPARE(a.brightness, 60);
        QCOMPARE(a.contrast, 50);
        QCOMPARE(a.hue, 40);
        QCOMPARE(a.saturation, 30);
        w.close();
        QVERIFY(!w.ThePlayer().Timer().isActive());
    }
    UseTestSettings();
}

void MainWindowTest::chooseFolder_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("fileEnd");
    QTest::addColumn<int>("frames");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("a date folder becomes the current one")
        << kFirstFolder << "2009/12/30"
        << "21:00:00"
        << "/09123021/CAM121000000.JPG" << 3 << kRed;
    QTest::newRow("the root: the last date folder listed")
        << ""
        << "2009/12/31"
        << "23:59:00"
        << "/09123123/CAM123590000.JPG" << 4 << kMagenta;
}

void MainWindowTest::chooseFolder() {
    QFETCH(QString, chosen);
    QFETCH(QString, date);
    QFETCH(QString, time);
    QFETCH(QString, fileEnd);
    QFETCH(int, frames);
    QFETCH(QColor, colour);
    WindowHarness h;
    h.Choose(chosen.toStdString());
    QCOMPARE(h.Text(ControlId::DateBox), date);
    QCOMPARE(h.Text(ControlId::TimeBox), time);
    QVERIFY2(h.Text(ControlId::FramePath).endsWith(fileEnd),
             qPrintable(h.Text(ControlId::FramePath)));
    QCOMPARE(h.Slider(ControlId::PositionSlider)->minimum(), 1);
    QCOMPARE(h.Slider(ControlId::PositionSlider)->maximum(), frames);
    QCOMPARE(h.Slider(ControlId::PositionSlider)->value(), 1);
    QCOMPARE(h.Text(ControlId::PositionBox), QString("1"));
    for (const ControlTemplate& control : MainWindowTemplate().controls) {
        const ControlId id = control.id;
        if (!IsNavigationControl(id)) {
            continue;
        }
        QVERIFY(h.Control(id)->isEnabled());
    }
    QCOMPARE(h.player().FrameWaiting(), true);
    QCOMPARE(h.Picture(320, 240), qRgb(0, 0, 0));  // commands never draw: the tick does
    h.Tick();
    QCOMPARE(h.player().FrameWaiting(), false);
    QVERIFY(h.Shows(colour));
    QVERIFY(h.reports.empty());
}

void MainWindowTest::folderGivenAtStartSkipsTheChooser() {
    WindowHarness h;
    h.ChooserAnswers(kLastFolder);  // would be taken if the chooser ran
    h.window().OpenFolder(h.tree().Path(kMiddleFolder).c_str());
    h.WaitForReading();
    QCOMPARE(h.Text(ControlId::TimeBox), QString("22:00:00"));
    QCOMPARE(QString(h.player().FolderPath()), QString::fromStdString(h.tree().Root()));
    QVERIFY(h.Control(ControlId::Play)->isEnabled());
    h.Click(ControlId::ChooseFolder);  // the chooser's answer replaces it
    h.WaitForReading();
    QCOMPARE(h.Text(ControlId::TimeBox), QString("23:59:00"));
}

void MainWindowTest::failedChoiceReturnsToTheStartUpLook_data() {
    QTest::addColumn<bool>("loadFirst");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QStringList>("reported");
    QTest::newRow("a folder without date folders") << true << "empty" << QStringList{};
    QTest::newRow("a folder that is not there")
        << true << "missing" << QStringList{"FindFirstFile"};
    QTest::newRow("cancelled on first use") << false << "cancel" << QStringList{};
}

void MainWindowTest::failedChoiceReturnsToTheStartUpLook() {
    QFETCH(bool, loadFirst);
    QFETCH(QString, chosen);
    QFETCH(QStringList, reported);
    WindowHarness h;
    h.tree().MakeFolder("empty");
    if (loadFirst) {
        h.Choose(kFirstFolder);
        h.Click(ControlId::Play);
        h.Tick();
        QCOMPARE(h.window().Lights().Lit().activeButton, ControlId::Play);
        QVERIFY(h.Shows(kRed));
    }
    h.Choose(chosen.toStdString());
    QStringList whats;
    for (const std::string& what : h.reports) {
        whats << QString::fromStdString(what);
    }
    QCOMPARE(whats, reported);
    for (const ControlTemplate& control : MainWindowTemplate().controls) {
        const ControlId id = control.id;
        if (!IsNavigationControl(id)) {
            continue;
        }
        QVERIFY(!h.Control(id)->isEnabled());
    }
    for (const ControlId id :
         {ControlId::FramePath, ControlId::PositionBox, ControlId::DateBox, ControlId::TimeBox}) {
        QVERIFY(h.Text(id).isEmpty());
    }
    QCOMPARE(h.Picture(320, 240), qRgb(0, 0, 0));
    QCOMPARE(h.window().Lights().Lit().activeButton, ControlId::None);
    QCOMPARE(h.window().Lights().Lit().previousButton, ControlId::None);
    QCOMPARE(h.player().State(), PlayState::Stopped);
    QVERIFY(h.Control(ControlId::ChooseFolder)->isEnabled());
}

void MainWindowTest::stepAcrossFolders() {
    WindowHarness h;
    h.Choose(kFirstFolder);
    h.Click(ControlId::StepForward);
    h.Click(ControlId::StepForward);
    QCOMPARE(h.Text(ControlId::TimeBox), QString("21:00:02"));
    QCOMPARE(h.Text(ControlId::PositionBox), QString("3"));
    h.Click(ControlId::StepForward);  // off the folder's last frame: the next folder's first
    QCOMPARE(h.Text(ControlId::DateBox), QString("2009/12/31"));
    QCOMPARE(h.Text(ControlId::TimeBox), QString("22:00:00"));
    QVERIFY(h.Text(ControlId::FramePath).endsWith("/09123122/CAM122000000.JPG"));
    QCOMPARE(h.Text(ControlId::PositionBox), QString("1"));
    QCOMPARE(h.Slider(ControlId::PositionSlider)->maximum(), 2);
    h.Tick();
    QVERIFY(h.Shows(kYellow));
    h.Click(ControlId::StepBack);  // off the folder's first frame: the previous folder's last
    QCOMPARE(h.Text(ControlId::DateBox), QString("2009/12/30"));
    QCOMPARE(h.Text(ControlId::TimeBox), QString("21:00:02"));
    QCOMPARE(h.Text(ControlId::PositionBox), QString("3"));
    QCOMPARE(h.Slider(ControlId::PositionSlider)->value(), 3);
    QCOMPARE(h.player().Position(), 3);
    QCOMPARE(h.player().Clock(), TimeOfDay(21, 0, 2));
    h.Tick();
    QVERIFY(h.Shows(kBlue));
    QCOMPARE(h.player().State(), PlayState::SteppedBackward);
}

void MainWindowTest::stepAtTheEndsOfTheList() {
    WindowHarness h;
    h.Choose(kFirstFolder);
    h.Click(ControlId::StepBack);  // first frame of the first folder: the last frame of that same
                                   // folder
    QCOMPARE(h.Text(ControlId::DateBox), QString("2009/12/30"));
    QCOMPARE(h.Text(ControlId::TimeBox), QString("21:00:02"));
    QCOMPARE(h.player().Position(), 3);
    h.Tick();
    QVERIFY(h.Shows(kBlue));

    h.Choose(kLastFolder);
    for (int i = 0; i < 3; ++i) {
        h.Click(ControlId::StepForward);
    }
    QCOMPARE(h.Text(ControlId::TimeBox), QString("23:59:40"));
    h.Click(ControlId::StepForward);  // last frame of the last folder: the first frame of that same
                                      // folder
    QCOMPARE(h.Text(ControlId::TimeBox), QString("23:59:00"));
    QCOMPARE(h.Text(ControlId::DateBox), QString("2009/12/31"));
    QCOMPARE(h.player().Position(), 1);
    QCOMPARE(h.player().State(), PlayState::AtListEnd);
    h.Tick();
    QVERIFY(h.Shows(kMagenta));
}

void MainWindowTest::folderMovesAtTheEndsLightStop() {
    WindowHarness h;
    h.Choose(kLastFolder);
    h.Click(ControlId::NextFolder);  // no next folder: its last frame, Stop lit
    QCOMPARE(h.Text(ControlId::TimeBox), QString("23:59:40"));
    QCOMPARE(h.player().Position(), 4);
    QCOMPARE(h.Text(ControlId::PositionBox), QString("4"));
    QCOMPARE(h.window().Lights().Lit().activeButton, ControlId::Stop);
    QCOMPARE(h.player().State(), PlayState::Stopped);
    h.Tick();
    QVERIFY(h.Shows(kTeal));

    h.Click(ControlId::PreviousFolder);
    QCOMPARE(h.Text(ControlId::DateBox), QString("2009/12/31"));
    QCOMPARE(h.Text(ControlId::TimeBox), QString("22:00:00"));
    QCOMPARE(h.Slider(ControlId::PositionSlider)->maximum(), 2);
    h.Click(ControlId::PreviousFolder);
    QCOMPARE(h.Text(ControlId::DateBox), QString("2009/12/30"));
    h.Click(ControlId::PreviousFolder);  // no earlier folder: its first frame, Stop lit
    QCOMPARE(h.Text(ControlId::TimeBox), QString("21:00:00"));
    QCOMPARE(h.player().Position(), 1);
    QCOMPARE(h.window().Lights().Lit().activeButton, ControlId::Stop);
    QCOMPARE(h.player().State(), PlayState::Stopped);
}

void MainWindowTest::stopGoesBackToTheFirstFrame() {
    WindowHarness h;
    h.Choose(kLastFolder);
    h.Click(ControlId::StepForward);
    h.Click(ControlId::StepForward);
    h.Click(ControlId::Stop);
    QCOMPARE(h.Text(ControlId::TimeBox), QString("23:59:00"));
    QCOMPARE(h.Text(ControlId::PositionBox), QString("1"));
    QCOMPARE(h.Slider(ControlId::PositionSlider)->value(), 1);
    QCOMPARE(h.player().State(), PlayState::Stopped);
    QCOMPARE(h.window().Lights().Lit().activeButton, ControlId::Stop);
}

void MainWindowTest::search_data() {
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("wantDate");
    QTest::addColumn<QString>("wantTime");
    QTest::addColumn<int>("wantPosition");
    QTest::addColumn<QColor>("colour");
    const struct {
        const char* name;
        const char* date;
        const char* time;
        const char* wantDate;
        const char* wantTime;
        int wantPosition;
        QColor colour;
    } rows[] = {
        {"within a folder: the last frame before the second's end", "2009/12/31", "23:59:30",
         "2009/12/31", "23:59:20", 3, kOrange},
        {"a time equal to a frame's", "2009/12/31", "23:59:10", "2009/12/31", "23:59:10", 2, kGrey},
        {"a time in a gap", "2009/12/31", "23:59:35", "2009/12/31", "23:59:20", 3, kOrange},
        {"a time before the folder's first frame", "2009/12/31", "23:00:00", "2009/12/31",
         "23:59:00", 1, kMagenta},
        {"an hour between two folders goes to the nearer", "2009/12/31", "21:30:00", "2009/12/31",
         "22:00:00", 1, kYellow},
        {"a date before all folders", "2009/01/01", "12:00:00", "2009/12/30", "21:00:00", 1, kRed},
        {"a date after all folders", "2010/06/01", "08:00:00", "2009/12/31", "23:59:00", 1,
         kMagenta},
        {"text that is no date", "abc", "xyz", "2009/12/30", "21:00:00", 1, kRed},
    };
    for (const auto& row : rows) {
        QTest::newRow(row.name) << QString(row.date) << QString(row.time) << QString(row.wantDate)
                                << QString(row.wantTime) << row.wantPosition << row.colour;
    }
}

void MainWindowTest::search() {
    QFETCH(QString, date);
    QFETCH(QString, time);
    QFETCH(QString, wantDate);
    QFETCH(QString, wantTime);
    QFETCH(int, wantPosition);
    QFETCH(QColor, colour);
    WindowHarness h;
    h.Choose(kMiddleFolder);
    h.Click(ControlId::Play);
    h.Tick();
    Type(h, ControlId::DateBox, date);
    Type(h, ControlId::TimeBox, time);
    h.Click(ControlId::Search);
    QCOMPARE(h.Text(ControlId::DateBox), wantDate);
    QCOMPARE(h.Text(ControlId::TimeBox), wantTime);
    QCOMPARE(h.player().Position(), wantPosition);
    QCOMPARE(h.Text(ControlId::PositionBox), QString::number(wantPosition));
    QCOMPARE(h.Slider(ControlId::PositionSlider)->value(), wantPosition);
    QCOMPARE(h.player().State(), PlayState::Stopped);
    QCOMPARE(h.window().Lights().Lit().activeButton,
             ControlId::None);  // Search clears the lit button
    h.Tick();
    QVERIFY(h.Shows(colour));
}

void MainWindowTest::escapeDoesNothing() {
    WindowHarness h;
    h.Choose(kFirstFolder);
    const Snapshot before = Take(h);
    QTest::keyClick(&h.window(), Qt::Key_Escape);
    QTest::keyClick(h.Control(ControlId::DateBox), Qt::Key_Escape);
    QCoreApplication::processEvents();
    QVERIFY(h.window().isVisible());
    QVERIFY(Take(h) == before);
}

void MainWindowTest::enterCloses_data() {
    QTest::addColumn<ControlId>("focus");
    QTest::addColumn<int>("key");
    QTest::newRow("Return on a button") << ControlId::StepForward << int(Qt::Key_Return);
    QTest::newRow("the hidden close button's command") << ControlId::Close << 0;
}

void MainWindowTest::enterCloses() {
    QFETCH(ControlId, focus);
    QFETCH(int, key);
    WindowHarness h;
    h.Choose(kFirstFolder);
    h.player().Timer().start();
    const Snapshot before = Take(h);
    if (key == 0) {
        static_cast<QPushButton*>(h.Control(focus))->click();  // hidden, but it has its command
    } else {
        QTest::keyClick(h.Control(focus), Qt::Key(key));
    }
    QVERIFY2(h.window().isVisible(), "the close is posted, not run at once");
    QVERIFY(Take(h) == before);  // a focused button is not pressed by Enter
    QTRY_VERIFY(!h.window().isVisible());
    QVERIFY(!h.player().Timer().isActive());
}

void MainWindowTest::colourSettingsWindowBesideTheMainWindow() {
    WindowHarness h;
    h.Choose(kFirstFolder);
    QVERIFY(OpenColourWindow() == nullptr);
    h.Click(ControlId::ColourSettings);
    ColourSettingDialog* dialog = OpenColourWindow();
    QVERIFY(dialog != nullptr);
    QVERIFY(!dialog->isModal());
    QVERIFY(dialog->isVisible());
    h.Click(ControlId::ColourSettings);  // a second press while it is open does nothing
    QCOMPARE(OpenColourWindow(), dialog);
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(windows.begin(), windows.end(),
                           [](QWidget* w) {
                               return qobject_cast<ColourSettingDialog*>(w) && w->isVisible();
                           }),
             1);

    h.Tick();
    h.Click(ControlId::StepForward);  // the main window stays usable
    QCOMPARE(h.Text(ControlId::TimeBox), QString("21:00:01"));

    // A slider step re-decodes the frame shown and marks it for drawing.
    auto* brightness =
        dialog->findChild<QSlider*>(QString::number(int(ControlId::BrightnessSlider)));
    QVERIFY(brightness != nullptr);
    h.Tick();
    QCOMPARE(h.player().FrameWaiting(), false);
    const QRgb before = h.Picture(320, 240);
    brightness->setFocus();
    QTest::keyClick(brightness, Qt::Key_PageUp);
    QCOMPARE(h.player().FrameWaiting(), true);
    QCOMPARE(h.player().Library().Decoder().adjustments.brightness, 59);
    h.Tick();
    QVERIFY(h.Picture(320, 240) != before);

    // Closing the main window ends the colour window without saving.
    h.window().close();
    QTRY_VERIFY(OpenColourWindow() == nullptr);
    std::int32_t stored = 0;
    ReadSetting("Brightness", 80, stored);
    QCOMPARE(stored, 49);
}

// A recording is read off the window's thread: while its reports are up, the window answers
// and the keys that need frames wait for them.
void MainWindowTest::windowAnswersWhileARecordingIsRead() {
    WindowHarness h;
    FakeListings listings;
    listings[h.tree().Path(kMiddleFolder)].openError = EACCES;
    bool ran = false;
    h.duringReport = [&] {
        ran = true;
        QVERIFY(h.player().Reading());
        QVERIFY(!h.player().Busy());
        h.window().activateWindow();
        h.Keys({Qt::Key_Right, Qt::Key_F1});
        QVERIFY(h.window().findChild<QWidget*>("keyList") != nullptr);  // at once
        QVERIFY(h.Text(ControlId::TimeBox) != "23:59:10");              // not yet
    };
    h.Choose("");
    QVERIFY(ran);
    QCOMPARE(h.reports, std::vector<std::string>{"File List is Empty"});
    QCOMPARE(h.Text(ControlId::TimeBox), QString("23:59:10"));  // the first frame, then Right
}

// The window as the user sees it: the skin everywhere, the picture in the frame, the faces
// on the buttons, the white boxes.
void MainWindowTest::wholeWindowAsPainted() {
    WindowHarness h;
    h.Choose(kFirstFolder);
    h.Tick();
    const QImage shot = h.window().grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot.size(), QSize(720, 680));
    const QImage& skin = h.window().Skin();
    for (const QPoint p : {QPoint(10, 300), QPoint(360, 12), QPoint(700, 400), QPoint(5, 675)}) {
        QCOMPARE(shot.pixel(p), skin.pixel(p));
    }
    QVERIFY(QColor(shot.pixel(10, 300)).lightness() < 90);   // the slate frame
    QVERIFY(QColor(shot.pixel(710, 660)).lightness() < 20);  // the band behind the buttons
    QVERIFY(h.Shows(kRed));
    const QImage& picture = h.window().Picture().Surface();
    for (const QPoint p : {QPoint(0, 0), QPoint(320, 240), QPoint(639, 479)}) {
        QCOMPARE(shot.pixel(QPoint(38, 42) + p), picture.pixel(p));
    }
    QCOMPARE(shot.pixel(678, 282), skin.pixel(678, 282));  // the field's white edge
    QCOMPARE(shot.pixel(36, 282), qRgb(0, 0, 0));          // the picture frame
    const QImage stop = UprightBitmap(137, QSize(42, 42));
    const QImage search = UprightBitmap(153, QSize(82, 42));
    for (const QPoint p : {QPoint(21, 21), QPoint(5, 30), QPoint(30, 8)}) {
        QCOMPARE(shot.pixel(QPoint(112, 590) + p), stop.pixel(p));
        QCOMPARE(shot.pixel(QPoint(456, 590) + p), search.pixel(p));
    }
    QCOMPARE(shot.pixel(688, 601), qRgb(255, 255, 255));  // inside the time box
}

}  // namespace orvik::test

QTEST_MAIN(orvik::test::MainWindowTest)
#include "main_window_test.moc"
