// One clip export run from the viewer: the chosen frames written on a thread of its own,
// with its own decoder state, so that playback, stepping and the picture on screen go on
// untouched. Progress and the end come back to the UI thread as signals.
#pragma once

#include <QObject>
#include <atomic>
#include <thread>
#include <vector>

#include "export/clip_export.h"
#include "export/clip_frames.h"

namespace orvik {

class ClipExportJob : public QObject {
    Q_OBJECT

  public:
    // Starts writing frames at once.
    ClipExportJob(std::vector<ClipFrame> frames, ExportSettings settings, QObject* parent);
    // Cancels a run still going and waits for it to end: nothing is left behind.
    ~ClipExportJob() override;

    void Cancel() { cancel = true; }

  signals:
    void progressed(int done, int total);
    void finished(const QString& summary, bool written);

  private:
    std::vector<ClipFrame> frames;
    ExportSettings settings;
    std::atomic<bool> cancel{false};
    std::thread worker;
};

// "1,234 frames written to clip.mkv, 2 refused" and the like, for the user.
QString ExportSummary(const ExportOutcome& outcome, const QString& path);

}  // namespace orvik
