#include "shell/clip_export_job.h"

#include <QDir>
#include <QMetaObject>

namespace orvik {

ClipExportJob::ClipExportJob(std::vector<ClipFrame> frames, ExportSettings settings,
                             QObject* parent)
    : QObject(parent), frames(std::move(frames)), settings(std::move(settings)) {
    worker = std::thread([this] {
        const ExportOutcome outcome = ExportClip(
            this->frames, this->settings, cancel, [this](std::size_t done, std::size_t total) {
                QMetaObject::invokeMethod(
                    this, [this, done, total] { emit progressed(int(done), int(total)); },
                    Qt::QueuedConnection);
            });
        const QString summary =
            ExportSummary(outcome, QString::fromStdString(this->settings.outputPath));
        const bool written = outcome.ending == ExportEnding::kWritten;
        QMetaObject::invokeMethod(
            this, [this, summary, written] { emit finished(summary, written); },
            Qt::QueuedConnection);
    });
}

ClipExportJob::~ClipExportJob() {
    cancel = true;
    worker.join();
}

QString ExportSummary(const ExportOutcome& outcome, const QString& path) {
    const QString file = QDir::toNativeSeparators(path);
    switch (outcome.ending) {
        case ExportEnding::kCancelled:
            return QObject::tr("Export cancelled: nothing was written");
        case ExportEnding::kFailed:
            return QObject::tr("%1 was not written: %2")
                .arg(file, QString::fromStdString(outcome.error));
        case ExportEnding::kWritten:
            break;
    }
    QString summary = QObject::tr("%1 frames written to %2").arg(outcome.written).arg(file);
    if (!outcome.refused.empty()) {
        summary += QObject::tr(", %1 damaged left out").arg(outcome.refused.size());
    }
    return summary;
}

}  // namespace orvik
