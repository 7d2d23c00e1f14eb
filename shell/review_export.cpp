// Exporting a clip from the viewer: the marks, the file, and the run on a worker thread.
// The same engine as orvik-frame export does the work.

#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QThread>

#include "export/clip_container.h"
#include "export/clip_frames.h"
#include "library/recorded_frames.h"
#include "shell/frame_files.h"
#include "shell/library_turn.h"
#include "shell/main_window.h"

namespace orvik {

void MainWindow::MarkClipStart() {
    clipStart = ShownMoment(viewer->fileManager);
    FollowInToolWindows();
    ShowNote(clipStart ? tr("Clip starts at %1").arg(ShownCaptureTime()) : tr("No frame to mark"));
}

void MainWindow::MarkClipEnd() {
    clipEnd = ShownMoment(viewer->fileManager);
    FollowInToolWindows();
    ShowNote(clipEnd ? tr("Clip ends at %1").arg(ShownCaptureTime()) : tr("No frame to mark"));
}

void MainWindow::ExportClipOfMarks() {
    if (exportJob != nullptr) {
        ShowNote(tr("A clip is being exported"));
        return;
    }
    if (viewer->fileManager.ShownFile() == nullptr) {
        ShowNote(tr("No recording to export"));
        return;
    }
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
    const QString path = chooseSaveFile(
        this, tr("Export clip"), QDir(folder).filePath(SnapshotName(ShownCaptureTime(), "mkv")),
        tr("Lossless, the frames' own data (*.mkv *.mov *.avi);;H.264 (*.mp4)"));
    if (path.isEmpty()) {
        return;
    }
    ExportSettings settings;
    settings.outputPath = path.toStdString();
    settings.codec = DefaultCodecFor(settings.outputPath);
    settings.adjustments = viewer->fileManager.Decoder().adjustments;
    settings.jobs = std::max(1, QThread::idealThreadCount());
    const Status held = ContainerCanHold(settings.outputPath, settings.codec);
    std::vector<ClipFrame> frames;
    {
        LibraryTurn turn(libraryBusy);
        if (!turn) {
            return;
        }
        frames =
            ChooseClipFrames(RecordedFrames(viewer->fileManager.Folders()), {clipStart, clipEnd});
    }
    if (!held.Ok() || frames.empty()) {
        QMessageBox::critical(this, tr("Clip not exported"),
                              frames.empty() ? tr("No frame lies between the marks.")
                                             : QString::fromStdString(held.Why()));
        return;
    }
    auto* progress =
        new QProgressDialog(tr("Exporting the clip…"), tr("Cancel"), 0, int(frames.size()), this);
    // The viewer stays in use meanwhile: the dialog neither blocks it nor takes its keys.
    progress->setWindowModality(Qt::NonModal);
    progress->setAttribute(Qt::WA_ShowWithoutActivating);
    progress->setMinimumDuration(0);
    progress->setAttribute(Qt::WA_DeleteOnClose);
    activateWindow();  // back from the file dialog
    exportJob = new ClipExportJob(std::move(frames), std::move(settings), this);
    connect(progress, &QProgressDialog::canceled, exportJob, &ClipExportJob::Cancel);
    connect(exportJob, &ClipExportJob::progressed, progress, &QProgressDialog::setValue);
    connect(exportJob, &ClipExportJob::finished, this,
            [this, progress](const QString& summary, bool written) {
                progress->close();
                exportJob->deleteLater();
                exportJob = nullptr;
                if (written) {
                    ShowNote(summary);
                } else {
                    QMessageBox::information(this, tr("Export clip"), summary);
                }
            });
}

}  // namespace orvik
