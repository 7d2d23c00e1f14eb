// The clip from the viewer: I and O mark the frame on screen as the clip's start and end
// (a start after the end, or an end before the start, is refused at once), Shift+I clears
// the marks, and E asks for a file, its title telling the range, and exports the frames
// between the marks (the whole recording, once the user agrees, when none is set) on a
// worker thread, with a progress dialog whose Cancel asks first. The viewer stays in use
// meanwhile. The same engine as orvik-frame export does the work.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "export/clip_frames.h"
#include "shell/frame_saver.h"

class QProgressDialog;
class QWidget;

namespace orvik {

class ClipExportJob;
class Player;

class ClipExporter : public QObject {
    Q_OBJECT

  public:
    // owner: the window dialogs open over; addKeys gives the progress dialog the viewer's
    // keys, so that none of them reaches its Cancel button.
    ClipExporter(const Player& player, QWidget* owner, std::function<void(QWidget*)> addKeys);

    void SetSaveFileChooser(FrameSaver::SaveFileChooser chooser) {
        chooseSaveFile = std::move(chooser);
    }
    // The marks' capture moments; none for a mark not set.
    std::optional<std::int64_t> Start() const { return start; }
    std::optional<std::int64_t> End() const { return end; }
    bool Running() const { return job != nullptr; }
    // Before the viewer closes: true when no export runs, or the user chose to stop the
    // one that does (it is stopped, and leaves nothing behind).
    bool MayClose();

  public slots:
    void markStart();
    void markEnd();
    void exportClip();
    // No marks: said in a note when the user asked (clearMarks), silent for a new recording.
    void clearMarks();
    void forgetMarks();

  signals:
    void marksChanged(std::optional<std::int64_t> start, std::optional<std::int64_t> end);
    void noted(const QString& text);

  private:
    // The frames the marks choose, or the whole recording's when the user agrees to that;
    // empty when there is nothing to export.
    std::vector<ClipFrame> ChosenFrames();
    void Run(std::vector<ClipFrame> frames, const QString& path);
    bool AskToStop(const QString& question);

    const Player& player;
    QWidget* owner;
    std::function<void(QWidget*)> addKeys;
    FrameSaver::SaveFileChooser chooseSaveFile;
    std::optional<std::int64_t> start, end;
    ClipExportJob* job = nullptr;
    QPointer<QProgressDialog> progress;
};

// "110 frames, 2026/12/03 09:00:55.00 to 10:00:14.50, 59 min 19.50 s": the range a clip
// covers, for the export's file dialog.
QString ClipRangeText(const std::vector<ClipFrame>& frames);

}  // namespace orvik
