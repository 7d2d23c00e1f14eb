// Taking the frame on screen out of the viewer: a snapshot into the Pictures folder (S),
// Save frame as… (Ctrl+S: png or bmp, the picture as shown; jpg, the frame's own coded data
// rewrapped as a standard JPEG) and a copy to the clipboard (Ctrl+C). Files are named by the
// frame's capture time and written whole or not at all; what happened is said in a note.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace orvik {

class Player;

class FrameSaver : public QObject {
    Q_OBJECT

  public:
    // Asks for the file something is saved to (the suggested path first, filters as
    // QFileDialog takes them); empty when the user cancels.
    using SaveFileChooser = std::function<QString(QWidget* owner, const QString& title,
                                                  const QString& suggested, const QString& filter)>;

    // owner: the window dialogs open over.
    FrameSaver(const Player& player, QWidget* owner);

    // Where S puts snapshots: the user's Pictures folder unless set otherwise.
    void SetSnapshotFolder(const QString& folder) { snapshotFolder = folder; }
    void SetSaveFileChooser(SaveFileChooser chooser) { chooseSaveFile = std::move(chooser); }

  public slots:
    void saveSnapshot();
    void saveFrameAs();
    void copyFrame();

  signals:
    void noted(const QString& text);

  private:
    // Writes the frame on screen to path (png or bmp: the picture; jpg: its own coded data);
    // says what happened.
    void WriteFrame(const QString& path);

    const Player& player;
    QWidget* owner;
    QString snapshotFolder;
    SaveFileChooser chooseSaveFile;
};

}  // namespace orvik
