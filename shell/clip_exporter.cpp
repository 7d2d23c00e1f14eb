#include "shell/clip_exporter.h"

#include <QDir>
#include <QMessageBox>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QThread>

#include "export/clip_container.h"
#include "export/clip_frames.h"
#include "export/recording_frames.h"
#include "shell/clip_export_job.h"
#include "shell/frame_files.h"
#include "shell/player.h"

namespace orvik {

ClipExporter::ClipExporter(const Player& player, QWidget* owner)
    : QObject(owner), player(player), owner(owner) {}

void ClipExporter::markStart() {
    Mark(start, "Clip starts at %1");
}

void ClipExporter::markEnd() {
    Mark(end, "Clip ends at %1");
}

void ClipExporter::Mark(std::optional<std::int64_t>& mark, const char* said) {
    mark = player.ShownMoment();
    emit marksChanged(start, end);
    emit noted(mark ? tr(said).arg(player.ShownCaptureTime()) : tr("No frame to mark"));
}

void ClipExporter::clearMarks() {
    start.reset();
    end.reset();
    emit marksChanged(start, end);
}

void ClipExporter::exportClip() {
    if (job != nullptr) {
        emit noted(tr("A clip is being exported"));
        return;
    }
    if (!player.ShownMoment()) {
        emit noted(tr("No recording to export"));
        return;
    }
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
    const QString path =
        chooseSaveFile(owner, tr("Export clip"),
                       QDir(folder).filePath(SnapshotName(player.ShownCaptureTime(), "mkv")),
                       tr("Lossless, the frames' own data (*.mkv *.mov *.avi);;H.264 (*.mp4)"));
    if (path.isEmpty() || player.Busy()) {
        return;
    }
    ExportSettings settings;
    settings.outputPath = path.toStdString();
    settings.codec = DefaultCodecFor(settings.outputPath);
    settings.adjustments = player.Library().Decoder().adjustments;
    settings.jobs = std::max(1, QThread::idealThreadCount());
    const std::string problem = ContainerProblem(settings.outputPath, settings.codec);
    std::vector<ClipFrame> frames =
        ChooseClipFrames(RecordedFrames(player.Library()), {start, end});
    if (!problem.empty() || frames.empty()) {
        QMessageBox::critical(owner, tr("Clip not exported"),
                              frames.empty() ? tr("No frame lies between the marks.")
                                             : QString::fromStdString(problem));
        return;
    }
    auto* progress =
        new QProgressDialog(tr("Exporting the clip…"), tr("Cancel"), 0, int(frames.size()), owner);
    // The viewer stays in use meanwhile: the dialog neither blocks it nor takes its keys.
    progress->setWindowModality(Qt::NonModal);
    progress->setAttribute(Qt::WA_ShowWithoutActivating);
    progress->setMinimumDuration(0);
    progress->setAttribute(Qt::WA_DeleteOnClose);
    owner->activateWindow();  // back from the file dialog
    job = new ClipExportJob(std::move(frames), std::move(settings), this);
    connect(progress, &QProgressDialog::canceled, job, &ClipExportJob::Cancel);
    connect(job, &ClipExportJob::progressed, progress, &QProgressDialog::setValue);
    connect(job, &ClipExportJob::finished, this,
            [this, progress](const QString& summary, bool written) {
                progress->close();
                job->deleteLater();
                job = nullptr;
                if (written) {
                    emit noted(summary);
                } else {
                    QMessageBox::information(owner, tr("Export clip"), summary);
                }
            });
}

}  // namespace orvik
