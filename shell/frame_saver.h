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
    // The file chosen to save to and the filter it was chosen under (may be empty).
    struct ChosenFile {
        ChosenFile(QString path = {}, QString filter = {})
            : path(std::move(path)), filter(std::move(filter)) {}
        QString path;
        QString filter;
    };
    // Asks for the file something is saved to (the suggested path first, filters as
    // QFileDialog takes them); an empty path when the user cancels.
    using SaveFileChooser = std::function<ChosenFile(
        QWidget* owner, const QString& title, const QString& suggested, const QString& filter)>;
    // The chosen path, with the extension of the filter it was chosen under (the first
    // filter's when none is said) when it has none of the filters' extensions.
    static QString WithFilterExtension(const ChosenFile& chosen, const QString& filters);

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
    // True, with a note saying why, when there is no frame to take or its picture is not the
    // one on screen.
    bool Refused(const QString& noFrame, const QString& notDone);
    // Writes the frame on screen to path (png or bmp: the picture; jpg: its own coded data);
    // says what happened.
    void WriteFrame(const QString& path);

    const Player& player;
    QWidget* owner;
    QString snapshotFolder;
    QString saveAsFolder;  // where the last Save frame as went; Pictures at first
    SaveFileChooser chooseSaveFile;
};

}  // namespace orvik
