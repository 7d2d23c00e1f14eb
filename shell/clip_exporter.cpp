#include "shell/clip_exporter.h"

#include <QDir>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QThread>

#include "export/clip_container.h"
#include "export/clip_export.h"
#include "library/capture_time.h"
#include "library/recorded_frames.h"
#include "library/time_of_day.h"
#include "shell/clip_export_job.h"
#include "shell/frame_files.h"
#include "shell/player.h"

namespace orvik {
namespace {

QString TextOfMoment(std::int64_t moment) {
    return QString::fromStdString(MomentText(moment));
}

}  // namespace

ClipExporter::ClipExporter(const Player& player, QWidget* owner,
                           std::function<void(QWidget*)> addKeys)
    : QObject(owner), player(player), owner(owner), addKeys(std::move(addKeys)) {}

void ClipExporter::markStart() {
    const std::optional<std::int64_t> shown = player.ShownMoment();
    if (shown && end && *shown > *end) {
        emit noted(tr("Not marked: the clip's start would come after its end (%1)")
                       .arg(TextOfMoment(*end)));
        return;
    }
    start = shown;
    emit marksChanged(start, end);
    emit noted(start ? tr("Clip starts at %1").arg(player.ShownCaptureTime())
                     : tr("No frame to mark"));
}

void ClipExporter::markEnd() {
    const std::optional<std::int64_t> shown = player.ShownMoment();
    if (shown && start && *shown < *start) {
        emit noted(tr("Not marked: the clip's end would come before its start (%1)")
                       .arg(TextOfMoment(*start)));
        return;
    }
    end = shown;
    emit marksChanged(start, end);
    emit noted(end ? tr("Clip ends at %1").arg(player.ShownCaptureTime()) : tr("No frame to mark"));
}

void ClipExporter::clearMarks() {
    forgetMarks();
    emit noted(tr("The clip's marks are cleared"));
}

void ClipExporter::forgetMarks() {
    start.reset();
    end.reset();
    emit marksChanged(start, end);
}

std::vector<ClipFrame> ClipExporter::ChosenFrames() {
    if (!start && !end) {
        const auto answer = QMessageBox::question(
            owner, tr("Export clip"),
            tr("No clip is marked (I marks its start, O its end). Export the whole recording?"));
        if (answer != QMessageBox::Yes) {
            return {};
        }
    }
    if (player.Busy()) {
        return {};
    }
    std::vector<ClipFrame> frames =
        ChooseClipFrames(RecordedFrames(player.Library().Folders()), {start, end});
    if (frames.empty()) {
        QMessageBox::critical(owner, tr("Clip not exported"),
                              tr("No frame lies between the marks."));
    }
    return frames;
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
    std::vector<ClipFrame> frames = ChosenFrames();
    if (frames.empty()) {
        return;
    }
    const QString filters = tr("Lossless, the frames' own data (*.mkv *.mov *.avi);;H.264 (*.mp4)");
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
    const FrameSaver::ChosenFile chosen = chooseSaveFile(
        owner, tr("Export clip: %1").arg(ClipRangeText(frames)),
        QDir(folder).filePath(SnapshotName(TextOfMoment(frames.front().moment), "mkv")), filters);
    if (!chosen.path.isEmpty()) {
        Run(std::move(frames), FrameSaver::WithFilterExtension(chosen, filters));
    }
}

void ClipExporter::Run(std::vector<ClipFrame> frames, const QString& path) {
    ExportSettings settings;
    settings.outputPath = path.toStdString();
    settings.codec = DefaultCodecFor(settings.outputPath);
    settings.adjustments = player.Library().Decoder().adjustments;
    settings.jobs = std::max(1, QThread::idealThreadCount());
    // Refused before any work: a container that cannot hold the codec or the clip's pauses.
    if (const Status held = ClipCanBeHeld(frames, settings); !held.Ok()) {
        QMessageBox::critical(owner, tr("Clip not exported"), QString::fromStdString(held.Why()));
        return;
    }
    progress =
        new QProgressDialog(tr("Exporting the clip…"), tr("Cancel"), 0, int(frames.size()), owner);
    // The viewer stays in use meanwhile: the dialog neither blocks it nor takes its keys, and
    // its Cancel asks before it stops the work.
    progress->setWindowModality(Qt::NonModal);
    progress->setAttribute(Qt::WA_ShowWithoutActivating);
    progress->setMinimumDuration(0);
    progress->setAttribute(Qt::WA_DeleteOnClose);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    auto* cancel = new QPushButton(tr("Cancel"), progress);
    cancel->setFocusPolicy(Qt::NoFocus);  // Space and Enter stay the viewer's
    progress->setCancelButton(cancel);
    disconnect(progress, &QProgressDialog::canceled, progress, &QProgressDialog::cancel);
    addKeys(progress);
    owner->activateWindow();  // back from the file dialog
    job = new ClipExportJob(std::move(frames), std::move(settings), this);
    connect(progress, &QProgressDialog::canceled, this, [this] {
        if (job != nullptr && AskToStop(tr("Stop the export? Nothing of it is kept."))) {
            job->Cancel();
        } else if (progress != nullptr) {
            progress->show();  // closed by its close box, but the work goes on
        }
    });
    connect(job, &ClipExportJob::progressed, progress, &QProgressDialog::setValue);
    connect(job, &ClipExportJob::finished, this, [this](const QString& summary, bool written) {
        job->deleteLater();
        job = nullptr;  // first: closing the progress dialog asks nothing now
        if (progress != nullptr) {
            progress->close();
        }
        if (written) {
            emit noted(summary);
        } else {
            QMessageBox::information(owner, tr("Export clip"), summary);
        }
    });
}

bool ClipExporter::AskToStop(const QString& question) {
    return QMessageBox::question(owner, tr("Export clip"), question) == QMessageBox::Yes;
}

bool ClipExporter::MayClose() {
    if (job == nullptr) {
        return true;
    }
    if (!AskToStop(tr("An export is running. Stop it and close the viewer? Nothing of the "
                      "clip is kept."))) {
        return false;
    }
    delete job;  // cancels the run and waits for it: the partial file is removed
    job = nullptr;
    if (progress != nullptr) {
        progress->close();
    }
    return true;
}

QString ClipRangeText(const std::vector<ClipFrame>& frames) {
    if (frames.empty()) {
        return QObject::tr("no frames");
    }
    const std::int64_t first = frames.front().moment, last = frames.back().moment;
    const QString from = TextOfMoment(first), to = TextOfMoment(last);
    const std::int64_t length = last - first;
    const QString duration = length >= kHundredthsPerMinute
                                 ? QObject::tr("%1 min %2 s")
                                       .arg(length / kHundredthsPerMinute)
                                       .arg(double(length % kHundredthsPerMinute) / 100, 0, 'f', 2)
                                 : QObject::tr("%1 s").arg(double(length) / 100, 0, 'f', 2);
    return QObject::tr("%n frame(s), %1 to %2, %3", "", int(frames.size()))
        .arg(from, from.left(10) == to.left(10) ? to.mid(11) : to, duration);
}

}  // namespace orvik
