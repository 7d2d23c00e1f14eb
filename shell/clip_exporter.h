// The clip from the viewer: I and O mark the frame on screen as the clip's start and end; E
// asks for a file (its extension picks the codec) and exports the frames between the marks
// on a worker thread, with a progress dialog that can cancel. The viewer stays in use
// meanwhile. The same engine as orvik-frame export does the work.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <optional>

#include "shell/frame_saver.h"

class QWidget;

namespace orvik {

class ClipExportJob;
class Player;

class ClipExporter : public QObject {
    Q_OBJECT

  public:
    ClipExporter(const Player& player, QWidget* owner);

    void SetSaveFileChooser(FrameSaver::SaveFileChooser chooser) {
        chooseSaveFile = std::move(chooser);
    }
    // The marks' capture moments; none for a mark not set.
    std::optional<std::int64_t> Start() const { return start; }
    std::optional<std::int64_t> End() const { return end; }
    bool Running() const { return job != nullptr; }

  public slots:
    void markStart();
    void markEnd();
    void exportClip();
    // A new recording: the marks go.
    void clearMarks();

  signals:
    void marksChanged(std::optional<std::int64_t> start, std::optional<std::int64_t> end);
    void noted(const QString& text);

  private:
    void Mark(std::optional<std::int64_t>& mark, const char* said);

    const Player& player;
    QWidget* owner;
    FrameSaver::SaveFileChooser chooseSaveFile;
    std::optional<std::int64_t> start, end;
    ClipExportJob* job = nullptr;
};

}  // namespace orvik
