// Reviewing from the keyboard: every key is a QAction on the main window (and on its tool
// windows), shown with its key in the picture's context menu. Transport keys press the skin
// buttons as the mouse does, so the commands, the lit button and every text behave exactly
// as with a click; the date and time boxes keep the keys they edit with while they have
// focus. The frame on screen can be saved, or copied, as it is shown.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "decoder/decode_frame.h"
#include "decoder/frame_format.h"
#include "jpeg/frame_jpeg.h"
#include "library/capture_time.h"
#include "library/time_of_day.h"
#include "shell/frame_files.h"
#include "shell/library_turn.h"
#include "shell/main_window.h"

namespace orvik {
namespace {

constexpr int kNoteMilliseconds = 2500;

struct KeyAction {
    const char* text;
    QList<QKeySequence> keys;  // the first is the one shown
    std::function<void(MainWindow&)> run;
};

// Presses button id, as a click would.
std::function<void(MainWindow&)> Press(ControlId id) {
    return [id](MainWindow& window) { window.PressButton(id); };
}

// The key table: the README's "Reviewing" section and the key list show the same.
std::vector<KeyAction> KeyActions() {
    using W = MainWindow;
    const std::int32_t second = kHundredthsPerSecond, minute = kHundredthsPerMinute;
    return {
        {"Play or pause", {Qt::Key_Space}, &W::TogglePlay},
        {"Step forward", {Qt::Key_Right}, Press(ControlId::StepForward)},
        {"Step back", {Qt::Key_Left}, Press(ControlId::StepBack)},
        {"One second on", {Qt::SHIFT | Qt::Key_Right}, [=](W& w) { w.SeekForward(second); }},
        {"One second back", {Qt::SHIFT | Qt::Key_Left}, [=](W& w) { w.SeekBackward(second); }},
        {"One minute on", {Qt::CTRL | Qt::Key_Right}, [=](W& w) { w.SeekForward(minute); }},
        {"One minute back", {Qt::CTRL | Qt::Key_Left}, [=](W& w) { w.SeekBackward(minute); }},
        {"Next folder", {Qt::Key_PageDown}, Press(ControlId::NextFolder)},
        {"Previous folder", {Qt::Key_PageUp}, Press(ControlId::PreviousFolder)},
        {"First frame of the folder", {Qt::Key_Home}, &W::GoToFolderStart},
        {"Last frame of the folder", {Qt::Key_End}, &W::GoToFolderEnd},
        {"Play (again: faster)", {Qt::Key_L}, &W::PlayForwardOrFaster},
        {"Play backward (again: faster)", {Qt::Key_J}, &W::PlayBackwardOrFaster},
        {"Pause", {Qt::Key_K}, Press(ControlId::Pause)},
        {"Faster", {Qt::Key_Plus, Qt::Key_Equal}, [](W& w) { w.ChangeSpeed(+1); }},
        {"Slower", {Qt::Key_Minus}, [](W& w) { w.ChangeSpeed(-1); }},
        {"Snapshot to Pictures", {Qt::Key_S}, &W::SaveSnapshot},
        {"Save frame as…", {QKeySequence(QKeySequence::Save)}, &W::SaveFrameAs},
        {"Copy frame", {QKeySequence(QKeySequence::Copy)}, &W::CopyFrame},
        {"Mark the clip's start", {Qt::Key_I}, &W::MarkClipStart},
        {"Mark the clip's end", {Qt::Key_O}, &W::MarkClipEnd},
        {"Export clip…", {Qt::Key_E}, &W::ExportClipOfMarks},
        {"Frame window", {Qt::Key_F}, &W::ShowFrameWindow},
        {"Timeline", {Qt::Key_T}, &W::ShowTimeline},
        {"Keys", {Qt::Key_F1}, &W::ShowKeyList},
    };
}

}  // namespace

void MainWindow::BuildActions() {
    const std::pair<ControlId, const char*> tips[] = {
        {ControlId::ChooseFolder, "Choose the recording's folder"},
        {ControlId::FramePath, "The file of the frame shown"},
        {ControlId::Play, "Play (L; Space plays or pauses)"},
        {ControlId::PlayBackward, "Play backward (J)"},
        {ControlId::Pause, "Pause (K; Space)"},
        {ControlId::Stop, "Stop: back to the folder's first frame"},
        {ControlId::StepForward, "Step forward (Right)"},
        {ControlId::StepBack, "Step back (Left)"},
        {ControlId::NextFolder, "Next folder (Page Down)"},
        {ControlId::PreviousFolder, "Previous folder (Page Up)"},
        {ControlId::SpeedSlider, "Speed, 1 to 8 times real time (+ and -)"},
        {ControlId::SpeedBox, "Speed"},
        {ControlId::PositionSlider, "Frame within the folder (Home, End)"},
        {ControlId::PositionBox, "Number of the frame within the folder"},
        {ControlId::DateBox, "Date, 20YY/MM/DD: type one and press Search"},
        {ControlId::TimeBox, "Time, HH:MM:SS: type one and press Search"},
        {ControlId::Search, "Go to the date and time typed"},
        {ControlId::ColourSettings, "Colour settings: brightness, contrast, hue, saturation"},
        {ControlId::PictureFrame, "The frame shown (right click: what you can do; F1: every key)"},
    };
    for (const auto& [id, tip] : tips) {
        controls->Get<QWidget>(id)->setToolTip(tr(tip));
    }
    for (const KeyAction& key : KeyActions()) {
        auto* action = new QAction(QString::fromUtf8(key.text), this);
        action->setShortcuts(key.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [this, run = key.run] { run(*this); });
        addAction(action);
    }
    // The picture takes the focus, so that keys work at once, and carries the menu.
    pictureFrame->setFocusPolicy(Qt::StrongFocus);
    pictureFrame->setContextMenuPolicy(Qt::ActionsContextMenu);
    pictureFrame->addActions(actions());
    pictureFrame->setFocus();
    // The number boxes only show; the keys belong to the window. A slider the user has
    // taken keeps its own keys, as the date and time boxes do.
    speedBox->setFocusPolicy(Qt::NoFocus);
    positionBox->setFocusPolicy(Qt::NoFocus);
    speedSlider->installEventFilter(this);
    positionSlider->installEventFilter(this);
    chooseSaveFile = [](QWidget* owner, const QString& title, const QString& suggested,
                        const QString& filter) {
        return QFileDialog::getSaveFileName(owner, title, suggested, filter);
    };
    noteTimer.setSingleShot(true);
    noteTimer.setInterval(kNoteMilliseconds);
    connect(&noteTimer, &QTimer::timeout, this, [this] { ShowNote(QString()); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool sliderKey = key->modifiers() == Qt::NoModifier &&
                               (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right ||
                                key->key() == Qt::Key_Up || key->key() == Qt::Key_Down ||
                                key->key() == Qt::Key_Home || key->key() == Qt::Key_End ||
                                key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown);
        if (sliderKey) {
            event->accept();  // the slider's own, not the window's
        }
    }
    return QDialog::eventFilter(watched, event);
}

void MainWindow::PressButton(ControlId id) {
    auto* button = controls->Get<QPushButton>(id);
    if (!button->isEnabled()) {
        return;
    }
    button->setDown(true);
    button->repaint();  // the pressed face, and with it the lit-button rule
    button->setDown(false);
    button->click();
}

void MainWindow::TogglePlay() {
    const PlayState state = viewer->playhead.state;
    const bool playing = state == PlayState::PlayingForward || state == PlayState::PlayingBackward;
    PressButton(playing ? ControlId::Pause : ControlId::Play);
}

void MainWindow::PlayForwardOrFaster() {
    PlayOrFaster(Direction::Forward);
}

void MainWindow::PlayBackwardOrFaster() {
    PlayOrFaster(Direction::Backward);
}

void MainWindow::PlayOrFaster(Direction direction) {
    const bool forward = direction == Direction::Forward;
    const PlayState running = forward ? PlayState::PlayingForward : PlayState::PlayingBackward;
    if (viewer->playhead.state == running) {
        ChangeSpeed(+1);
    } else {
        PressButton(forward ? ControlId::Play : ControlId::PlayBackward);
    }
}

void MainWindow::ChangeSpeed(int change) {
    speedSlider->triggerAction(change > 0 ? QAbstractSlider::SliderSingleStepAdd
                                          : QAbstractSlider::SliderSingleStepSub);
}

void MainWindow::SeekForward(std::int32_t hundredths) {
    Seek(Direction::Forward, hundredths);
}

void MainWindow::SeekBackward(std::int32_t hundredths) {
    Seek(Direction::Backward, hundredths);
}

// The last frame captured at or before the shown frame's time plus (less) hundredths, in
// this folder: forward at least the next frame, so that a key held over a long pause still
// moves on; backward the folder's first frame when none is.
void MainWindow::Seek(Direction direction, std::int32_t hundredths) {
    LibraryTurn turn(libraryBusy);
    CMavFileManager& files = viewer->fileManager;
    if (!turn || files.ShownFile() == nullptr || files.CurrentFolder() == nullptr) {
        return;
    }
    files.HaltOnShownFrame(viewer->playhead);
    const bool forward = direction == Direction::Forward;
    const std::int32_t shown = viewer->playhead.position - 1;
    const std::int32_t found = files.CurrentFolder()->IndexAtOrBefore(
        files.ShownFile()->timeKey + (forward ? hundredths : -hundredths));
    ShowFolderFrame(forward ? std::min(std::max(found, shown + 1), files.FileCount() - 1)
                            : std::max(found, 0));
}

void MainWindow::GoToFolderStart() {
    LibraryTurn turn(libraryBusy);
    if (turn && viewer->fileManager.CurrentFolder() != nullptr) {
        ShowFolderFrame(0);
    }
}

void MainWindow::GoToFolderEnd() {
    LibraryTurn turn(libraryBusy);
    if (turn && viewer->fileManager.CurrentFolder() != nullptr) {
        ShowFolderFrame(viewer->fileManager.FileCount() - 1);
    }
}

// Shows frame index of the current folder as taking the position slider there does: play
// pauses and the lit button goes out. The caller holds the library.
void MainWindow::ShowFolderFrame(std::int32_t index) {
    CMavViewer& v = *viewer;
    v.playhead.position = index + 1;
    if (v.fileManager.GoToFile(v.playhead, index) == 0) {
        v.frameDirty = true;
        SetText(timeBox, v.fileManager.TimeText());
        SetText(framePathBox, v.fileManager.FileText());
    }
    ShowPosition();
    v.playhead.state = PlayState::Paused;
    PutOutLight();
}

QImage MainWindow::ShownPicture() const {
    const CMavFileManager& files = viewer->fileManager;
    if (files.ShownFile() == nullptr) {
        return QImage();
    }
    const int w = files.PictureWidth(), h = files.PictureHeight();
    const QImage bottomUp(files.PictureBits(), w, h,
                          qsizetype(PictureStride(files.Decoder().variant, w)),
                          QImage::Format_BGR888);
    return bottomUp.mirrored(false, true);  // a copy, upright
}

QString MainWindow::ShownCaptureTime() const {
    const CMavFileManager& files = viewer->fileManager;
    if (files.ShownFile() == nullptr || files.CurrentFolder() == nullptr) {
        return QString();
    }
    return QString::fromStdString(
        FrameTimeText(files.CurrentFolder()->name, files.ShownFile()->timeKey));
}

void MainWindow::SaveSnapshot() {
    if (ShownPicture().isNull()) {
        ShowNote(tr("No frame to save"));
        return;
    }
    const QString folder = snapshotFolder.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)
                               : snapshotFolder;
    QDir().mkpath(folder);
    WriteFrame(UnusedPath(folder, SnapshotName(ShownCaptureTime())));
}

void MainWindow::SaveFrameAs() {
    if (ShownPicture().isNull()) {
        ShowNote(tr("No frame to save"));
        return;
    }
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString path = chooseSaveFile(
        this, tr("Save frame as"), QDir(folder).filePath(SnapshotName(ShownCaptureTime())),
        tr("Pictures (*.png *.bmp);;The frame's own coded data as JPEG (*.jpg)"));
    if (!path.isEmpty()) {
        WriteFrame(path);
    }
}

bool MainWindow::WriteFrame(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    QString failure;
    if (suffix == "jpg" || suffix == "jpeg") {
        // The frame's own coded data, rewrapped losslessly, with its capture time.
        const std::string framePath = viewer->fileManager.OpenPath();
        QFile frame(QString::fromLocal8Bit(framePath.c_str()));
        const QByteArray bytes = frame.open(QIODevice::ReadOnly) ? frame.readAll() : QByteArray();
        if (bytes.size() <= qsizetype(kFrameHeaderSize)) {
            failure = tr("the frame file cannot be read again");
        } else {
            const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
            const std::vector<std::uint8_t> jpeg =
                FrameAsJpeg({data, std::size_t(bytes.size())}, CaptureTimeOfPath(framePath));
            failure = SaveBytes(
                QByteArray(reinterpret_cast<const char*>(jpeg.data()), qsizetype(jpeg.size())),
                path);
        }
    } else {
        failure = SavePicture(ShownPicture(), path);
    }
    if (!failure.isEmpty()) {
        QMessageBox::critical(this, tr("Frame not saved"),
                              tr("%1 could not be written: %2").arg(path, failure));
        return false;
    }
    ShowNote(tr("Saved %1").arg(QDir::toNativeSeparators(path)));
    return true;
}

void MainWindow::CopyFrame() {
    const QImage picture = ShownPicture();
    if (picture.isNull()) {
        ShowNote(tr("No frame to copy"));
        return;
    }
    QApplication::clipboard()->setImage(picture);
    ShowNote(tr("Frame copied"));
}

void MainWindow::ShowNote(const QString& text) {
    note = text;
    if (!note.isEmpty()) {
        noteTimer.start();
    }
    update(viewer->pictureLeft, viewer->pictureTop, kPictureAreaWidth, kPictureAreaHeight);
}

// A window listing every key, beside the main window; it carries the keys too.
void MainWindow::ShowKeyList() {
    if (keyList == nullptr) {
        keyList = new QWidget(this, Qt::Window);
        keyList->setWindowTitle(tr("Keys"));
        auto* layout = new QVBoxLayout(keyList);
        QString rows;
        for (const KeyAction& key : KeyActions()) {
            rows += QString("<tr><td><b>%1</b></td><td>%2</td></tr>")
                        .arg(key.keys.front().toString(QKeySequence::NativeText).toHtmlEscaped(),
                             QString::fromUtf8(key.text).toHtmlEscaped());
        }
        rows +=
            tr("<tr><td><b>F11</b></td><td>In the Frame window: full screen</td></tr>"
               "<tr><td><b>Wheel, Ctrl++, Ctrl+-</b></td><td>In the Frame window: zoom; 1: "
               "1:1, 0: fit; drag to pan</td></tr>");
        layout->addWidget(new QLabel("<table cellspacing=4>" + rows + "</table>", keyList));
        AddToolWindow(keyList);
    }
    keyList->show();
    keyList->raise();
}

}  // namespace orvik
