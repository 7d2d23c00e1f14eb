// The main window driven as a user would: start-up look, folder choice, stepping, folder
// moves, search, the keys, the colour settings window beside it, the library held off while
// a report is open, and the whole window as it is painted.

#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <filesystem>

#include "colour/settings/colour_setting_dialog.h"
#include "colour/settings/settings_store.h"
#include "library/play_state.h"
#include "resources/dialog_template.h"
#include "shell/bottom_up_picture.h"
#include "tests/shell/window_harness.h"

namespace orvik::test {

namespace {

constexpr int kNavigationControls[] = {1002, 1003, 1004, 1005, 1006, 1007, 1008, 1011,
                                       1026, 1012, 1025, 1024, 1001, 1013, 1015};
constexpr int kWhiteControls[] = {1001, 1009, 1010, 1013, 1015, 1017, 1024, 1025};

bool IsWhite(QWidget* control) {
    return control->autoFillBackground() &&
           control->palette().color(QPalette::Window) == QColor(Qt::white) &&
           control->palette().color(QPalette::Base) == QColor(Qt::white);
}

// The state the library and the window keep, as one comparable value.
struct Snapshot {
    std::int32_t playState, playClock, position, frameDirty;
    QString file, time, date, shownPosition;
    bool operator==(const Snapshot&) const = default;
};

Snapshot Take(WindowHarness& h) {
    return {h.viewer().playState, h.viewer().playClock, h.viewer().position, h.viewer().frameDirty,
            h.Text(1001),         h.Text(1025),         h.Text(1024),        h.Text(1015)};
}

void Type(WindowHarness& h, int id, const QString& text) {
    auto* edit = h.window().findChild<QLineEdit*>(QString::number(id));
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
    void libraryIsHeldOffWhileAReportIsOpen();
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
        QVERIFY2(control != nullptr, qPrintable(QString("control %1 missing").arg(c.id)));
        QCOMPARE(control->geometry(), QRect(2 * c.x, 2 * c.y, 2 * c.width, 2 * c.height));
        QCOMPARE(control->isVisible(), c.id != 1016 && c.id != 1017);
        if (control->isVisible()) {  // nothing lies over it to take its mouse presses
            QCOMPARE(w.childAt(control->geometry().center()), control);
        }
        const bool white = std::find(std::begin(kWhiteControls), std::end(kWhiteControls), c.id) !=
                           std::end(kWhiteControls);
        QVERIFY2(IsWhite(control) == white, qPrintable(QString("control %1").arg(c.id)));
    }
    for (const int id : kNavigationControls) {
        QVERIFY2(!h.Control(id)->isEnabled(), qPrintable(QString("%1 enabled").arg(id)));
    }
    QVERIFY(h.Control(1000)->isEnabled());
    QVERIFY(h.Control(1009)->isEnabled());
    QCOMPARE(h.Slider(1009)->minimum(), 1);
    QCOMPARE(h.Slider(1009)->maximum(), 8);
    QCOMPARE(h.Slider(1009)->value(), 5);
    QCOMPARE(h.Text(1010), QString("5"));
    for (const int id : {1001, 1015, 1024, 1025}) {
        QVERIFY(h.Text(id).isEmpty());
    }
    QCOMPARE(h.viewer().pictureLeft, 38);
    QCOMPARE(h.viewer().pictureTop, 42);
    QCOMPARE(h.Picture(320, 240), qRgb(0, 0, 0));
    QCOMPARE(h.viewer().playState, std::int32_t{Stopped});
    QVERIFY(!w.windowIcon().isNull());
    QCOMPARE(h.window().Lit().activeButton, 0);
}

void MainWindowTest::startUpRunsTheTimerAndReadsTheStore() {
    WriteSetting("Brightness", 60);
    WriteSetting("Contrast", 50);
    WriteSetting("Hue", 40);
    WriteSetting("Saturation", 30);
    {
        MainWindow w([](QWidget*, char*) {});
        QVERIFY(w.PlaybackTimer().isActive());
        QCOMPARE(w.PlaybackTimer().interval(), 100);
        QCOMPARE(w.PlaybackTimer().timerType(), Qt::PreciseTimer);
        const PictureAdjustments& a = w.Viewer().fileManager.decoder.adjustments;
        QCOMPARE(a.brightness, 60);
        QCOMPARE(a.contrast, 50);
        QCOMPARE(a.hue, 40);
        QCOMPARE(a.saturation, 30);
        w.close();
        QVERIFY(!w.PlaybackTimer().isActive());
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
    QCOMPARE(h.Text(1024), date);
    QCOMPARE(h.Text(1025), time);
    QVERIFY2(h.Text(1001).endsWith(fileEnd), qPrintable(h.Text(1001)));
    QCOMPARE(h.Slider(1013)->minimum(), 1);
    QCOMPARE(h.Slider(1013)->maximum(), frames);
    QCOMPARE(h.Slider(1013)->value(), 1);
    QCOMPARE(h.Text(1015), QString("1"));
    for (const int id : kNavigationControls) {
        QVERIFY(h.Control(id)->isEnabled());
    }
    QCOMPARE(h.viewer().frameDirty, 1);
    QCOMPARE(h.Picture(320, 240), qRgb(0, 0, 0));  // commands never draw: the tick does
    h.Tick();
    QCOMPARE(h.viewer().frameDirty, 0);
    QVERIFY(h.Shows(colour));
    QVERIFY(h.reports.empty());
}

void MainWindowTest::folderGivenAtStartSkipsTheChooser() {
    WindowHarness h;
    h.ChooserAnswers(kLastFolder);  // would be taken if the chooser ran
    h.window().OpenFolder(h.tree().Path(kMiddleFolder).c_str());
    QCOMPARE(h.Text(1025), QString("22:00:00"));
    QCOMPARE(QString(h.viewer().folderPath), QString::fromStdString(h.tree().Root()));
    QVERIFY(h.Control(1002)->isEnabled());
    h.Click(1000);  // the chooser's answer replaces it
    QCOMPARE(h.Text(1025), QString("23:59:00"));
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
        h.Click(1002);
        h.Tick();
        QCOMPARE(h.window().Lit().activeButton, 1002);
        QVERIFY(h.Shows(kRed));
    }
    h.Choose(chosen.toStdString());
    QStringList whats;
    for (const std::string& what : h.reports) {
        whats << QString::fromStdString(what);
    }
    QCOMPARE(whats, reported);
    for (const int id : kNavigationControls) {
        QVERIFY(!h.Control(id)->isEnabled());
    }
    for (const int id : {1001, 1015, 1024, 1025}) {
        QVERIFY(h.Text(id).isEmpty());
    }
    QCOMPARE(h.Picture(320, 240), qRgb(0, 0, 0));
    QCOMPARE(h.window().Lit().activeButton, 0);
    QCOMPARE(h.window().Lit().previousButton, 0);
    QCOMPARE(h.viewer().playState, std::int32_t{Stopped});
    QVERIFY(h.Control(1000)->isEnabled());
}

void MainWindowTest::stepAcrossFolders() {
    WindowHarness h;
    h.Choose(kFirstFolder);
    h.Click(1007);
    h.Click(1007);
    QCOMPARE(h.Text(1025), QString("21:00:02"));
    QCOMPARE(h.Text(1015), QString("3"));
    h.Click(1007);  // off the folder's last frame: the next folder's first
    QCOMPARE(h.Text(1024), QString("2009/12/31"));
    QCOMPARE(h.Text(1025), QString("22:00:00"));
    QVERIFY(h.Text(1001).endsWith("/09123122/CAM122000000.JPG"));
    QCOMPARE(h.Text(1015), QString("1"));
    QCOMPARE(h.Slider(1013)->maximum(), 2);
    h.Tick();
    QVERIFY(h.Shows(kYellow));
    h.Click(1006);  // off the folder's first frame: the previous folder's last
    QCOMPARE(h.Text(1024), QString("2009/12/30"));
    QCOMPARE(h.Text(1025), QString("21:00:02"));
    QCOMPARE(h.Text(1015), QString("3"));
    QCOMPARE(h.Slider(1013)->value(), 3);
    QCOMPARE(h.viewer().position, 3);
    QCOMPARE(h.viewer().playClock, TimeOfDay(21, 0, 2));
    h.Tick();
    QVERIFY(h.Shows(kBlue));
    QCOMPARE(h.viewer().playState, std::int32_t{SteppedBackward});
}

void MainWindowTest::stepAtTheEndsOfTheList() {
    WindowHarness h;
    h.Choose(kFirstFolder);
    h.Click(1006);  // first frame of the first folder: the last frame of that same folder
    QCOMPARE(h.Text(1024), QString("2009/12/30"));
    QCOMPARE(h.Text(1025), QString("21:00:02"));
    QCOMPARE(h.viewer().position, 3);
    h.Tick();
    QVERIFY(h.Shows(kBlue));

    h.Choose(kLastFolder);
    for (int i = 0; i < 3; ++i) {
        h.Click(1007);
    }
    QCOMPARE(h.Text(1025), QString("23:59:40"));
    h.Click(1007);  // last frame of the last folder: the first frame of that same folder
    QCOMPARE(h.Text(1025), QString("23:59:00"));
    QCOMPARE(h.Text(1024), QString("2009/12/31"));
    QCOMPARE(h.viewer().position, 1);
    QCOMPARE(h.viewer().playState, std::int32_t{AtListEnd});
    h.Tick();
    QVERIFY(h.Shows(kMagenta));
}

void MainWindowTest::folderMovesAtTheEndsLightStop() {
    WindowHarness h;
    h.Choose(kLastFolder);
    h.Click(1003);  // no next folder: its last frame, Stop lit
    QCOMPARE(h.Text(1025), QString("23:59:40"));
    QCOMPARE(h.viewer().position, 4);
    QCOMPARE(h.Text(1015), QString("4"));
    QCOMPARE(h.window().Lit().activeButton, 1008);
    QCOMPARE(h.viewer().playState, std::int32_t{Stopped});
    h.Tick();
    QVERIFY(h.Shows(kTeal));

    h.Click(1004);
    QCOMPARE(h.Text(1024), QString("2009/12/31"));
    QCOMPARE(h.Text(1025), QString("22:00:00"));
    QCOMPARE(h.Slider(1013)->maximum(), 2);
    h.Click(1004);
    QCOMPARE(h.Text(1024), QString("2009/12/30"));
    h.Click(1004);  // no earlier folder: its first frame, Stop lit
    QCOMPARE(h.Text(1025), QString("21:00:00"));
    QCOMPARE(h.viewer().position, 1);
    QCOMPARE(h.window().Lit().activeButton, 1008);
    QCOMPARE(h.viewer().playState, std::int32_t{Stopped});
}

void MainWindowTest::stopGoesBackToTheFirstFrame() {
    WindowHarness h;
    h.Choose(kLastFolder);
    h.Click(1007);
    h.Click(1007);
    h.Click(1008);
    QCOMPARE(h.Text(1025), QString("23:59:00"));
    QCOMPARE(h.Text(1015), QString("1"));
    QCOMPARE(h.Slider(1013)->value(), 1);
    QCOMPARE(h.viewer().playState, std::int32_t{Stopped});
    QCOMPARE(h.window().Lit().activeButton, 1008);
}

void MainWindowTest::search_data() {
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("wantDate");
    QTest::addColumn<QString>("wantTime");
    QTest::addColumn<int>("wantPosition");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("within a folder: the last frame before the second's end")
        << "2009/12/31"
        << "23:59:30"
        << "2009/12/31"
        << "23:59:20" << 3 << kOrange;
    QTest::newRow("a time equal to a frame's") << "2009/12/31"
                                               << "23:59:10"
                                               << "2009/12/31"
                                               << "23:59:10" << 2 << kGrey;
    QTest::newRow("a time in a gap") << "2009/12/31"
                                     << "23:59:35"
                                     << "2009/12/31"
                                     << "23:59:20" << 3 << kOrange;
    QTest::newRow("a time before the folder's first frame") << "2009/12/31"
                                                            << "23:00:00"
                                                            << "2009/12/31"
                                                            << "23:59:00" << 1 << kMagenta;
    QTest::newRow("an hour between two folders goes to the nearer") << "2009/12/31"
                                                                    << "21:30:00"
                                                                    << "2009/12/31"
                                                                    << "22:00:00" << 1 << kYellow;
    QTest::newRow("a date before all folders") << "2009/01/01"
                                               << "12:00:00"
                                               << "2009/12/30"
                                               << "21:00:00" << 1 << kRed;
    QTest::newRow("a date after all folders") << "2010/06/01"
                                              << "08:00:00"
                                              << "2009/12/31"
                                              << "23:59:00" << 1 << kMagenta;
    QTest::newRow("text that is no date") << "abc"
                                          << "xyz"
                                          << "2009/12/30"
                                          << "21:00:00" << 1 << kRed;
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
    h.Click(1002);
    h.Tick();
    Type(h, 1024, date);
    Type(h, 1025, time);
    h.Click(1026);
    QCOMPARE(h.Text(1024), wantDate);
    QCOMPARE(h.Text(1025), wantTime);
    QCOMPARE(h.viewer().position, wantPosition);
    QCOMPARE(h.Text(1015), QString::number(wantPosition));
    QCOMPARE(h.Slider(1013)->value(), wantPosition);
    QCOMPARE(h.viewer().playState, std::int32_t{Stopped});
    QCOMPARE(h.window().Lit().activeButton, 0);  // Search clears the lit button
    h.Tick();
    QVERIFY(h.Shows(colour));
}

void MainWindowTest::escapeDoesNothing() {
    WindowHarness h;
    h.Choose(kFirstFolder);
    const Snapshot before = Take(h);
    QTest::keyClick(&h.window(), Qt::Key_Escape);
    QTest::keyClick(h.Control(1024), Qt::Key_Escape);
    QCoreApplication::processEvents();
    QVERIFY(h.window().isVisible());
    QVERIFY(Take(h) == before);
}

void MainWindowTest::enterCloses_data() {
    QTest::addColumn<int>("focus");
    QTest::addColumn<int>("key");
    QTest::newRow("Return in the date box") << 1024 << int(Qt::Key_Return);
    QTest::newRow("Enter in the time box") << 1025 << int(Qt::Key_Enter);
    QTest::newRow("Return on a button") << 1007 << int(Qt::Key_Return);
    QTest::newRow("the hidden close button's command") << 1016 << 0;
}

void MainWindowTest::enterCloses() {
    QFETCH(int, focus);
    QFETCH(int, key);
    WindowHarness h;
    h.Choose(kFirstFolder);
    h.window().PlaybackTimer().start();
    const Snapshot before = Take(h);
    if (key == 0) {
        h.window().Command(focus);
    } else {
        QTest::keyClick(h.Control(focus), Qt::Key(key));
    }
    QVERIFY2(h.window().isVisible(), "the close is posted, not run at once");
    QVERIFY(Take(h) == before);  // a focused button is not pressed by Enter
    QTRY_VERIFY(!h.window().isVisible());
    QVERIFY(!h.window().PlaybackTimer().isActive());
}

void MainWindowTest::colourSettingsWindowBesideTheMainWindow() {
    WindowHarness h;
    h.Choose(kFirstFolder);
    QVERIFY(colourDialogWindow == nullptr);
    h.Click(1012);
    ColourSettingDialog* dialog = colourDialogWindow;
    QVERIFY(dialog != nullptr);
    QVERIFY(!dialog->isModal());
    QVERIFY(dialog->isVisible());
    h.Click(1012);  // a second press while it is open does nothing
    QCOMPARE(colourDialogWindow, dialog);
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(windows.begin(), windows.end(),
                           [](QWidget* w) {
                               return qobject_cast<ColourSettingDialog*>(w) && w->isVisible();
                           }),
             1);

    h.Tick();
    h.Click(1007);  // the main window stays usable
    QCOMPARE(h.Text(1025), QString("21:00:01"));

    // A slider step re-decodes the frame shown and marks it for drawing.
    auto* brightness = dialog->findChild<QSlider*>("1030");
    QVERIFY(brightness != nullptr);
    h.Tick();
    QCOMPARE(h.viewer().frameDirty, 0);
    const QRgb before = h.Picture(320, 240);
    brightness->setFocus();
    QTest::keyClick(brightness, Qt::Key_PageUp);
    QCOMPARE(h.viewer().frameDirty, 1);
    QCOMPARE(h.viewer().fileManager.decoder.adjustments.brightness, 59);
    h.Tick();
    QVERIFY(h.Picture(320, 240) != before);

    // Closing the main window ends the colour window without saving.
    h.window().close();
    QTRY_VERIFY(colourDialogWindow == nullptr);
    std::int32_t stored = 0;
    ReadSetting("Brightness", 80, stored);
    QCOMPARE(stored, 49);
}

// A scan that reports shows a message box, whose loop lets ticks, clicks and slider steps
// through; while the scan holds the library, none of them may change anything.
void MainWindowTest::libraryIsHeldOffWhileAReportIsOpen() {
    WindowHarness h;
    h.Choose(kFirstFolder);
    h.Click(1002);
    h.Tick(3);
    h.Click(1012);
    QVERIFY(colourDialogWindow != nullptr);
    auto* brightness = colourDialogWindow->findChild<QSlider*>("1030");
    const std::int32_t brightnessBefore = h.viewer().fileManager.decoder.adjustments.brightness;
    QCOMPARE(h.viewer().frameDirty, 0);

    bool ran = false;
    h.duringReport = [&] {
        ran = true;
        QVERIFY(h.window().LibraryBusy());
        const Snapshot before = Take(h);
        const int sliderBefore = h.Slider(1013)->value();
        h.Tick(3);
        h.Click(1007);
        h.Click(1002);
        h.Click(1008);
        h.Slider(1013)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        brightness->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QVERIFY(Take(h) == before);
        QCOMPARE(h.Slider(1013)->value(), sliderBefore);
        QCOMPARE(h.viewer().fileManager.decoder.adjustments.brightness, brightnessBefore);
    };
    h.Choose("missing");
    QVERIFY(ran);
    QVERIFY(!h.window().LibraryBusy());
    QCOMPARE(h.reports, std::vector<std::string>{"FindFirstFile"});
    colourDialogWindow->EndWithoutSaving();
}

// The window as the user sees it: the skin everywhere, the picture in the frame, the faces
// on the buttons, the white boxes.
void MainWindowTest::wholeWindowAsPainted() {
    WindowHarness h;
    h.Choose(kFirstFolder);
    h.Tick();
    const QImage shot = h.window().grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot.size(), QSize(720, 680));
    const QImage& skin = h.viewer().skinSurface;
    for (const QPoint p : {QPoint(10, 300), QPoint(360, 12), QPoint(700, 400), QPoint(5, 675)}) {
        QCOMPARE(shot.pixel(p), skin.pixel(p));
    }
    QVERIFY(QColor(shot.pixel(10, 300)).lightness() < 90);   // the slate frame
    QVERIFY(QColor(shot.pixel(710, 660)).lightness() < 20);  // the band behind the buttons
    QVERIFY(h.Shows(kRed));
    const QImage& picture = h.viewer().pictureSurface;
    for (const QPoint p : {QPoint(0, 0), QPoint(320, 240), QPoint(639, 479)}) {
        QCOMPARE(shot.pixel(QPoint(38, 42) + p), picture.pixel(p));
    }
    QCOMPARE(shot.pixel(678, 282), skin.pixel(678, 282));  // the field's white edge
    QCOMPARE(shot.pixel(36, 282), qRgb(0, 0, 0));          // frame 1014
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
