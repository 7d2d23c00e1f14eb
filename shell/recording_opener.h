// How a recording gets opened: the folder button's chooser, a folder dropped on the window,
// the recent recordings menu, or a click on the picture area's hint; and what the picture
// area says while none is open or one is being read. A recording whose frame is shown is
// remembered among the recent ones.
#pragma once

#include <QObject>
#include <functional>

class QMenu;
class QWidget;

namespace orvik {

class PictureArea;
class Player;

class RecordingOpener : public QObject {
    Q_OBJECT

  public:
    // Lets the user pick the root folder: path is a path buffer holding the folder path,
    // left unchanged when the user cancels.
    using FolderChooser = std::function<void(QWidget* owner, char* path)>;

    // window takes dropped folders and owns the chooser; picture shows the hints.
    RecordingOpener(Player& player, PictureArea& picture, QWidget* window,
                    FolderChooser chooseFolder);

    // "Recent recordings", for the picture's context menu.
    QMenu* RecentMenu() const { return recentMenu; }
    bool HasRecording() const { return hasRecording; }

  public slots:
    void choose();
    void open(const QString& rootPath);
    // The hint says how to open a recording while none is open, and nothing while one is
    // (while one is read, how far the reading is).
    void showHowToOpen();

  private:
    void ShowReading(int folders, qint64 frames);
    void ShowRecording(bool hasFrame);

    Player& player;
    PictureArea& picture;
    QWidget* window;
    FolderChooser chooseFolder;
    QMenu* recentMenu;
    bool hasRecording = false;
};

}  // namespace orvik
