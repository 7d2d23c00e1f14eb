// Reviewing from the keyboard, as a user would: the key table row by row on the standard
// recording, keys with no folder open, the date box keeping its keys, the picture's context
// menu, and taking the frame on screen out (snapshot bytes, names on a collision, a failed
// write, the clipboard).

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include "library/play_state.h"
#include "shell/bottom_up_picture.h"
#include "shell/frame_window.h"
#include "shell/timeline_window.h"
#include "testing/widgets/when_modal_shown.h"
#include "tests/shell/window_harness.h"

namespace orvik::test {

class ReviewTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { UseTestSettings(); }
    void keyTable_data();
    void keyTable();
    void keysWithNoFolderOpenDoNothing();
    void dateBoxKeepsItsKeys();
    void contextMenuHoldsTheKeys();
    void snapshotIsThePictureNamedByItsCaptureTime();
    void failedSnapshotSaysSoAndLeavesNothing();
    void copyPutsThePictureOnTheClipboard();
    void saveAsJpegKeepsTheFramesOwnCodedData();
    void exportClipBetweenTheMarks();
    void frameWindowFollowsThePresentedFrame();
    void timelineChoosesAndFollowsTheFrame();
};

namespace {

// A window on the last folder of the standard recording (23:59:00, :10, :20, :40), active,
// with the picture focused as after opening a folder.
void OpenLastFolder(WindowHarness& h) {
    h.OpenActive(kLastFolder);
}

void Keys(WindowHarness& h, const QList<QKeySequence>& keys) {
    h.Keys(keys);
}

}  // namespace

void ReviewTest::keyTable_data() {
    QTest::addColumn<QList<QKeySequence>>("keys");
    QTest::addColumn<QString>("time");  // of the frame shown
    QTest::addColumn<int>("number");    // in the position box
    QTest::addColumn<PlayState>("state");
    QTest::addColumn<ControlId>("lit");
    QTest::addColumn<int>("speed");
    using K = QList<QKeySequence>;
    const QKeySequence shiftRight(Qt::SHIFT | Qt::Key_Right), ctrlRight(Qt::CTRL | Qt::Key_Right);
    const QKeySequence ctrlLeft(Qt::CTRL | Qt::Key_Left), shiftLeft(Qt::SHIFT | Qt::Key_Left);
    const auto P = [](PlayState s) { return s; };
    QTest::newRow("Right") << K{Qt::Key_Right} << "23:59:10" << 2 << P(PlayState::SteppedForward)
                           << ControlId::StepForward << 5;
    QTest::newRow("Left off the folder's start")
        << K{Qt::Key_Left} << "22:00:01" << 2 << P(PlayState::SteppedBackward)
        << ControlId::StepBack << 5;
    QTest::newRow("Shift+Right over a 10 s pause moves on")
        << K{shiftRight} << "23:59:10" << 2 << P(PlayState::Paused) << ControlId::None << 5;
    QTest::newRow("Ctrl+Right") << K{ctrlRight} << "23:59:40" << 4 << P(PlayState::Paused)
                                << ControlId::None << 5;
    QTest::newRow("Shift+Left") << K{Qt::Key_End, shiftLeft} << "23:59:20" << 3
                                << P(PlayState::Paused) << ControlId::None << 5;
    QTest::newRow("Ctrl+Left") << K{Qt::Key_End, ctrlLeft} << "23:59:00" << 1
                               << P(PlayState::Paused) << ControlId::None << 5;
    QTest::newRow("End, Home") << K{Qt::Key_End, Qt::Key_Home} << "23:59:00" << 1
                               << P(PlayState::Paused) << ControlId::None << 5;
    QTest::newRow("Page Down off the list's end")
        << K{Qt::Key_PageDown} << "23:59:40" << 4 << P(PlayState::Stopped) << ControlId::Stop << 5;
    QTest::newRow("Page Up") << K{Qt::Key_PageUp} << "22:00:00" << 1 << P(PlayState::Stopped)
                             << ControlId::PreviousFolder << 5;
    QTest::newRow("Space plays") << K{Qt::Key_Space} << "23:59:00" << 1
                                 << P(PlayState::PlayingForward) << ControlId::Play << 5;
    QTest::newRow("Space again pauses") << K{Qt::Key_Space, Qt::Key_Space} << "23:59:00" << 1
                                        << P(PlayState::Paused) << ControlId::Pause << 5;
    QTest::newRow("L, L: faster") << K{Qt::Key_L, Qt::Key_L} << "23:59:00" << 1
                                  << P(PlayState::PlayingForward) << ControlId::Play << 6;
    QTest::newRow("J") << K{Qt::Key_J} << "23:59:00" << 1 << P(PlayState::PlayingBackward)
                       << ControlId::PlayBackward << 5;
    QTest::newRow("L, K") << K{Qt::Key_L, Qt::Key_K} << "23:59:00" << 1 << P(PlayState::Paused)
                          << ControlId::Pause << 5;
    QTest::newRow("+ and -") << K{Qt::Key_Plus, Qt::Key_Plus, Qt::Key_Minus} << "23:59:00" << 1
                             << P(PlayState::Stopped) << ControlId::None << 6;
}

void ReviewTest::keyTable() {
    QFETCH(QList<QKeySequence>, keys);
    QFETCH(QString, time);
    QFETCH(int, number);
    QFETCH(PlayState, state);
    QFETCH(ControlId, lit);
    QFETCH(int, speed);
    WindowHarness h;
    OpenLastFolder(h);
    Keys(h, keys);
    QCOMPARE(h.Text(ControlId::TimeBox), time);
    QCOMPARE(h.Text(ControlId::PositionBox), QString::number(number));
    QCOMPARE(h.player().State(), state);
    QCOMPARE(h.window().Lights().Lit().activeButton, lit);
    QCOMPARE(h.player().Speed(), speed);
    QCOMPARE(h.Slider(ControlId::SpeedSlider)->value(), speed);
}

void ReviewTest::keysWithNoFolderOpenDoNothing() {
    WindowHarness h;
    h.window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&h.window()));
    Keys(h, {Qt::Key_Space, Qt::Key_Right, Qt::Key_End, Qt::Key_PageDown, Qt::Key_L, Qt::Key_S,
             QKeySequence(QKeySequence::Copy)});
    QCOMPARE(h.player().State(), PlayState::Stopped);
    QVERIFY(h.Text(ControlId::TimeBox).isEmpty());
    QCOMPARE(h.window().Note(), QString("No frame to copy"));
    QCOMPARE(h.Picture(320, 240), qRgb(0, 0, 0));
}

void ReviewTest::dateBoxKeepsItsKeys() {
    WindowHarness h;
    OpenLastFolder(h);
    QLineEdit* date = h.Edit(ControlId::DateBox);
    date->setFocus();
    date->setCursorPosition(0);
    QTest::keyClick(date, Qt::Key_Right);
    QTest::keyClick(date, Qt::Key_Space);
    QCOMPARE(date->text(), QString("2 009/12/31"));
    QCOMPARE(h.Text(ControlId::PositionBox), QString("1"));  // no step, no play
    QCOMPARE(h.player().State(), PlayState::Stopped);
}

void ReviewTest::contextMenuHoldsTheKeys() {
    WindowHarness h;
    QWidget* picture = h.Control(ControlId::PictureFrame);
    QCOMPARE(picture->contextMenuPolicy(), Qt::ActionsContextMenu);
    QStringList keys;
    for (const QAction* action : picture->actions()) {
        keys << action->shortcut().toString();
    }
    for (const char* key : {"Space", "Right", "Shift+Left", "Ctrl+Right", "PgDown", "Home", "L",
                            "J", "K", "+", "S", "Ctrl+S", "Ctrl+C", "F1"}) {
        QVERIFY2(keys.contains(key), key);
    }
}

void ReviewTest::snapshotIsThePictureNamedByItsCaptureTime() {
    QTemporaryDir pictures;
    WindowHarness h;
    h.window().SetSnapshotFolder(pictures.path() + "/Pictures");  // made when missing
    OpenLastFolder(h);
    Keys(h, {Qt::Key_Right, Qt::Key_S, Qt::Key_S});
    const QString first = pictures.path() + "/Pictures/2009-12-31_23-59-10.00.png";
    const QImage saved(first);
    QVERIFY2(!saved.isNull(), qPrintable(first));
    const QImage shown = UprightLibraryPicture(h.player().Library());
    QCOMPARE(saved.size(), QSize(640, 480));
    for (const QPoint at : {QPoint(0, 0), QPoint(320, 240), QPoint(639, 479)}) {
        QCOMPARE(saved.pixel(at), shown.pixel(at));
    }
    QVERIFY(QFile::exists(pictures.path() + "/Pictures/2009-12-31_23-59-10.00 (2).png"));
    QVERIFY(h.window().Note().startsWith("Saved "));
}

void ReviewTest::failedSnapshotSaysSoAndLeavesNothing() {
    QTemporaryDir pictures;
    WindowHarness h;
    const QString blocked = pictures.path() + "/file";
    QFile(blocked).open(QIODevice::WriteOnly);  // a file where the folder should be
    h.window().SetSnapshotFolder(blocked);
    OpenLastFolder(h);
    QString message;
    WhenModalShown<QMessageBox>([&message](QMessageBox* box) {
        message = box->text();
        box->accept();
    });
    Keys(h, {Qt::Key_S});
    QVERIFY2(message.contains(blocked) && message.contains("could not be written"),
             qPrintable(message));
    QCOMPARE(QDir(pictures.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList{"file"});
}

void ReviewTest::copyPutsThePictureOnTheClipboard() {
    WindowHarness h;
    OpenLastFolder(h);
    Keys(h, {QKeySequence(QKeySequence::Copy)});
    QCOMPARE(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
             UprightLibraryPicture(h.player().Library()).convertToFormat(QImage::Format_RGB32));
}

// Ctrl+S with a .jpg name: the frame's own coded data, untouched, as a standard JPEG.
void ReviewTest::saveAsJpegKeepsTheFramesOwnCodedData() {
    QTemporaryDir folder;
    const QString path = folder.filePath("frame.jpg");
    WindowHarness h;
    OpenLastFolder(h);
    QString suggested;
    h.window().SetSaveFileChooser(
        [&](QWidget*, const QString&, const QString& offered, const QString&) {
            suggested = offered;
            return path;
        });
    Keys(h, {QKeySequence(QKeySequence::Save)});
    QCOMPARE(QFileInfo(suggested).fileName(), QString("2009-12-31_23-59-00.00.png"));
    QFile saved(path), frame(h.Text(ControlId::FramePath));
    QVERIFY(saved.open(QIODevice::ReadOnly) && frame.open(QIODevice::ReadOnly));
    const QByteArray jpeg = saved.readAll(), coded = frame.readAll().mid(545);
    QVERIFY(jpeg.startsWith("\xFF\xD8"));
    QVERIFY2(jpeg.contains(coded.left(coded.size() - 2)), "the coded data is copied unchanged");
    QCOMPARE(QImage::fromData(jpeg).size(), QSize(640, 480));
}

// I and O mark frames 2 and 3 of the last folder; E writes them as a Matroska clip on a
// worker thread while the window stays usable.
void ReviewTest::exportClipBetweenTheMarks() {
    QTemporaryDir folder;
    const QString path = folder.filePath("clip.mkv");
    WindowHarness h;
    OpenLastFolder(h);
    Keys(h, {Qt::Key_Right, Qt::Key_I, Qt::Key_Right, Qt::Key_O});
    QCOMPARE(h.window().Note(), QString("Clip ends at 2009/12/31 23:59:20.00"));
    h.window().SetSaveFileChooser(
        [&path](QWidget*, const QString&, const QString&, const QString&) { return path; });
    Keys(h, {Qt::Key_E});
    QVERIFY(QTest::qWaitForWindowActive(&h.window()));
    Keys(h, {Qt::Key_Left});  // the viewer goes on while the clip is written
    QCOMPARE(h.Text(ControlId::TimeBox), QString("23:59:10"));
    QTRY_VERIFY_WITH_TIMEOUT(h.window().Note().contains("2 frames written"), 20000);
    QFile clip(path);
    QVERIFY(clip.open(QIODevice::ReadOnly));
    QVERIFY(clip.read(4) == QByteArray("\x1A\x45\xDF\xA3"));  // Matroska
}

void ReviewTest::frameWindowFollowsThePresentedFrame() {
    WindowHarness h;
    OpenLastFolder(h);
    h.Tick();
    Keys(h, {Qt::Key_F});
    auto* frame = h.window().findChild<FrameWindow*>();
    QVERIFY(frame != nullptr && frame->isVisible());
    QCOMPARE(frame->windowTitle(), QString("Frame — 2009/12/31 23:59:00.00"));
    Keys(h, {Qt::Key_Right});
    QCOMPARE(frame->windowTitle(), QString("Frame — 2009/12/31 23:59:00.00"));  // not yet presented
    h.Tick();
    QCOMPARE(frame->windowTitle(), QString("Frame — 2009/12/31 23:59:10.00"));
    frame->resize(640, 480);
    const QImage shown = frame->grab().toImage();
    QVERIFY(NearestIs(shown.pixel(320, 240), kGrey, {kMagenta, kGrey, kOrange, kTeal}));
}

void ReviewTest::timelineChoosesAndFollowsTheFrame() {
    WindowHarness h;
    OpenLastFolder(h);
    Keys(h, {Qt::Key_T});
    auto* timeline = h.window().findChild<TimelineWindow*>();
    QVERIFY(timeline != nullptr && timeline->isVisible());
    QVERIFY2(timeline->StatusText().contains("folder 3 of 3") &&
                 timeline->StatusText().contains("2009/12/31 23:59:00.00"),
             qPrintable(timeline->StatusText()));
    emit timeline->frameChosen(0, 2);  // as a click on the first folder's third frame
    QCOMPARE(h.Text(ControlId::DateBox), QString("2009/12/30"));
    QCOMPARE(h.Text(ControlId::TimeBox), QString("21:00:02"));
    QCOMPARE(h.Text(ControlId::PositionBox), QString("3"));
    h.Tick();
    QVERIFY2(timeline->StatusText().contains("folder 1 of 3 · frame 3 of 3"),
             qPrintable(timeline->StatusText()));
}

}  // namespace orvik::test

QTEST_MAIN(orvik::test::ReviewTest)
#include "review_test.moc"
