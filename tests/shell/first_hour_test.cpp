// What a reviewer meets in the first hour, driven through the window with real keys, mouse
// and drops: Enter in the search boxes, a damaged frame, typing during play, the keys after
// a slider drag, the clip's marks, drops and recent recordings, the wheel and the double
// click, and Save frame as without an extension.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressDialog>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <filesystem>

#include "settings/recent_recordings.h"
#include "shell/frame_window.h"
#include "shell/marked_slider.h"
#include "shell/picture_area.h"
#include "testing/widgets/when_modal_shown.h"
#include "tests/shell/window_harness.h"

namespace orvik::test {

class FirstHourTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { UseTestSettings(); }
    void typingIsLeftAloneUntilDone();
    void keysAreTheViewersAfterASliderDrag();
    void damagedFrameSaysSoAndIsNotSaved();
    void marksKeepTheirOrderAndShowInTheSlider();
    void exportWithoutMarksAsksFirst();
    void anAviAcrossLongPausesIsRefusedBeforeAnyWork();
    void droppedFolderOpensAndIsRemembered();
    void wheelStepsAndDoubleClickOpensTheFrameWindow();
    void saveFrameAsTakesTheFiltersExtension();
    void enterInASearchBoxSearches_data();
    void enterInASearchBoxSearches();
};

void FirstHourTest::typingIsLeftAloneUntilDone() {
    WindowHarness h;
    h.OpenActive(kFirstFolder);
    h.Click(ControlId::Play);
    QLineEdit* time = h.Edit(ControlId::TimeBox);
    time->setFocus();
    time->selectAll();
    QTest::keyClicks(time, "21:00");
    h.Tick(4);  // frames come and go meanwhile
    QCOMPARE(time->text(), QString("21:00"));
    QTest::keyClick(time, Qt::Key_Escape);  // gives up: the frame's time is back
    QCOMPARE(time->text(), QString("21:00:01"));
    QTest::keyClicks(time, "9");
    h.window().Picture().setFocus();  // the focus leaves: the tick may show times again
    h.Tick();
    QCOMPARE(time->text(), QString("21:00:02"));
}

void FirstHourTest::keysAreTheViewersAfterASliderDrag() {
    WindowHarness h;
    h.OpenActive(kLastFolder);
    QSlider* position = h.Slider(ControlId::PositionSlider);
    QStyleOptionSlider option;
    option.initFrom(position);
    option.minimum = position->minimum();
    option.maximum = position->maximum();
    option.sliderPosition = position->sliderPosition();
    const QPoint handle =
        position->style()
            ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, position)
            .center();
    QTest::mousePress(position, Qt::LeftButton, {}, handle);
    QTest::mouseMove(position, QPoint(position->width() - 2, handle.y()));
    QTest::mouseRelease(position, Qt::LeftButton, {}, QPoint(position->width() - 2, handle.y()));
    QCOMPARE(h.Text(ControlId::PositionBox), QString("4"));  // dragged to the folder's end
    h.Keys({Qt::Key_Left});
    QCOMPARE(h.Text(ControlId::PositionBox), QString("3"));
    h.Keys({Qt::Key_PageUp});
    QCOMPARE(h.Text(ControlId::TimeBox), QString("22:00:00"));
    QCOMPARE(h.Slider(ControlId::SpeedSlider)->value(), 5);  // not the speed slider's either
}

void FirstHourTest::damagedFrameSaysSoAndIsNotSaved() {
    QTemporaryDir pictures;
    WindowHarness h(false);
    WriteFrames(h.tree(), kFirstFolder,
                {{TimeOfDay(10, 0, 0), kRed}, {TimeOfDay(10, 0, 0, 60), kGreen}});
    const std::string damaged =
        h.tree().Path(std::string(kFirstFolder) + "/" + FrameFileName(TimeOfDay(10, 0, 0, 60)));
    std::filesystem::resize_file(damaged, std::filesystem::file_size(damaged) - 40);  // no end
    h.window().SetSnapshotFolder(pictures.path());
    h.OpenActive(kFirstFolder);
    h.Keys({Qt::Key_Right});
    h.Tick();
    QCOMPARE(h.window().Picture().FrameNote(), QString("Damaged frame — showing 10:00:00.00"));
    QVERIFY(h.Shows(kRed));  // the last good picture, kept beneath
    h.Keys({Qt::Key_S});
    QCOMPARE(h.window().Note(),
             QString("Not saved: the frame at 2009/12/30 10:00:00.60 is damaged"));
    QVERIFY(QDir(pictures.path()).isEmpty());
    h.Keys({Qt::Key_F});
    QVERIFY(h.window().findChild<FrameWindow*>()->windowTitle().contains("Damaged frame"));
    h.Keys({Qt::Key_Left});
    h.Tick();
    QVERIFY(h.window().Picture().FrameNote().isEmpty());
}

void FirstHourTest::marksKeepTheirOrderAndShowInTheSlider() {
    WindowHarness h;
    h.OpenActive(kLastFolder);
    auto* slider = static_cast<MarkedSlider*>(h.Slider(ControlId::PositionSlider));
    h.Keys({Qt::Key_Right, Qt::Key_Right, Qt::Key_O, Qt::Key_Left});
    h.Keys({Qt::Key_Right, Qt::Key_Right, Qt::Key_I});  // after the end: refused
    QVERIFY(h.window().Note().startsWith("Not marked"));
    QCOMPARE(slider->StartMark(), std::nullopt);
    h.Keys({Qt::Key_Home, Qt::Key_I});
    QCOMPARE(slider->StartMark(), std::optional<int>(1));
    QCOMPARE(slider->EndMark(), std::optional<int>(3));
    h.Keys({QKeySequence(Qt::SHIFT | Qt::Key_I)});
    QCOMPARE(slider->StartMark(), std::nullopt);
    QCOMPARE(slider->EndMark(), std::nullopt);
}

void FirstHourTest::exportWithoutMarksAsksFirst() {
    WindowHarness h;
    h.OpenActive(kLastFolder);
    bool chooserAsked = false;
    h.window().SetSaveFileChooser([&](QWidget*, const QString&, const QString&, const QString&) {
        chooserAsked = true;
        return QString();
    });
    QString question;
    WhenModalShown<QMessageBox>([&question](QMessageBox* box) {
        question = box->text();
        box->button(QMessageBox::No)->click();
    });
    h.Keys({Qt::Key_E});
    QVERIFY(question.contains("whole recording"));
    QVERIFY(!chooserAsked);
}

void FirstHourTest::anAviAcrossLongPausesIsRefusedBeforeAnyWork() {
    WindowHarness h;
    h.OpenActive(kLastFolder);
    QTemporaryDir out;
    const QString clip = out.filePath("clip.avi");
    h.window().SetSaveFileChooser(
        [&clip](QWidget*, const QString&, const QString&, const QString&) { return clip; });
    QString refusal;
    WhenModalShown<QMessageBox>([&refusal](QMessageBox* box) {
        WhenModalShown<QMessageBox>([&refusal](QMessageBox* refused) {
            refusal = refused->text();
            refused->accept();
        });
        box->button(QMessageBox::Yes)->click();  // the whole recording, across its hours
    });
    h.Keys({Qt::Key_E});
    QTRY_VERIFY(!refusal.isEmpty());
    QVERIFY2(refusal.contains(".mkv"), qPrintable(refusal));
    QVERIFY(h.window().findChild<QProgressDialog*>() == nullptr);
    QVERIFY(QDir(out.path()).isEmpty());
}

void FirstHourTest::droppedFolderOpensAndIsRemembered() {
    WindowHarness h;
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(h.tree().Path(kMiddleFolder)))});
    const QPoint at = h.window().rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&h.window(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&h.window(), &drop);
    h.WaitForReading();
    QCOMPARE(h.Text(ControlId::DateBox), QString("2009/12/31"));
    QCOMPARE(h.Text(ControlId::TimeBox), QString("22:00:00"));  // the date folder itself
    // The recording remembered is the root, as the scan takes it from its date folder.
    QCOMPARE(ReadRecentRecordings().front(), QString::fromStdString(h.tree().Root()));
    ForgetRecording(ReadRecentRecordings().front());
}

void FirstHourTest::wheelStepsAndDoubleClickOpensTheFrameWindow() {
    WindowHarness h;
    h.OpenActive(kLastFolder);
    PictureArea& picture = h.window().Picture();
    const QPointF at(320, 240);
    QWheelEvent down(at, picture.mapToGlobal(at), {}, QPoint(0, -240), Qt::NoButton, {},
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(&picture, &down);  // two notches towards the user: two on
    QCOMPARE(h.Text(ControlId::TimeBox), QString("23:59:20"));
    QTest::mouseDClick(&picture, Qt::LeftButton, {}, at.toPoint());
    QVERIFY(h.window().findChild<FrameWindow*>() != nullptr);
    QVERIFY(h.window().findChild<FrameWindow*>()->isVisible());
}

void FirstHourTest::saveFrameAsTakesTheFiltersExtension() {
    QTemporaryDir folder;
    WindowHarness h;
    h.OpenActive(kLastFolder);
    h.window().SetSaveFileChooser([&](QWidget*, const QString&, const QString&, const QString&) {
        return FrameSaver::ChosenFile(folder.filePath("evidence"), "Pictures (*.png *.bmp)");
    });
    h.Keys({QKeySequence(QKeySequence::Save)});
    QVERIFY2(QFileInfo::exists(folder.filePath("evidence.png")), qPrintable(h.window().Note()));
}

void FirstHourTest::enterInASearchBoxSearches_data() {
    QTest::addColumn<ControlId>("box");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("playing");
    QTest::newRow("Return in the time box") << ControlId::TimeBox << int(Qt::Key_Return) << false;
    QTest::newRow("Enter in the date box, playing")
        << ControlId::DateBox << int(Qt::Key_Enter) << true;
}

void FirstHourTest::enterInASearchBoxSearches() {
    QFETCH(ControlId, box);
    QFETCH(int, key);
    QFETCH(bool, playing);
    WindowHarness h;
    h.OpenActive(kFirstFolder);
    if (playing) {
        h.Click(ControlId::Play);
    }
    QLineEdit* time = h.Edit(ControlId::TimeBox);
    time->setFocus();
    time->selectAll();
    QTest::keyClicks(time, "21:00:01");
    h.Edit(box)->setFocus();
    QTest::keyClick(h.Edit(box), Qt::Key(key));
    QCoreApplication::processEvents();
    QVERIFY(h.window().isVisible());
    QCOMPARE(h.Text(ControlId::DateBox), QString("2009/12/30"));
    QCOMPARE(h.Text(ControlId::TimeBox), QString("21:00:01"));  // the last frame before :01.99
    QCOMPARE(QApplication::focusWidget(), h.Control(box));
}

}  // namespace orvik::test

QTEST_MAIN(orvik::test::FirstHourTest)
#include "first_hour_test.moc"
