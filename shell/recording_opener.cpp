#include "shell/recording_opener.h"

#include <QDir>

#include "platform/path_capacity.h"
#include "settings/recent_recordings.h"
#include "shell/folder_drops.h"
#include "shell/picture_area.h"
#include "shell/player.h"
#include "shell/recent_menu.h"
#include "text/bounded_format.h"

namespace orvik {

RecordingOpener::RecordingOpener(Player& player, PictureArea& picture, QWidget* window,
                                 FolderChooser chooseFolder)
    : QObject(window),
      player(player),
      picture(picture),
      window(window),
      chooseFolder(std::move(chooseFolder)),
      recentMenu(new RecentRecordingsMenu(window)) {
    connect(static_cast<RecentRecordingsMenu*>(recentMenu), &RecentRecordingsMenu::chosen, this,
            &RecordingOpener::open);
    AcceptFolderDrops(window, [this](const QString& path) { open(path); });
    connect(&picture, &PictureArea::clicked, this, [this] {
        if (!hasRecording && !ExistingRecentRecordings().isEmpty()) {
            open(ExistingRecentRecordings().front());
        }
    });
    connect(&player, &Player::readingStarted, this, [this] {
        hasRecording = false;
        ShowReading(0, 0);
    });
    connect(&player, &Player::readingProgressed, this, &RecordingOpener::ShowReading);
    connect(&player, &Player::recordingOpened, this, &RecordingOpener::ShowRecording);
}

void RecordingOpener::choose() {
    if (player.Busy()) {
        return;
    }
    char path[kPathCapacity];
    BoundedFormat(path, sizeof path, "%s", player.FolderPath());
    chooseFolder(window, path);  // the user may cancel: the path stays
    open(QString::fromLocal8Bit(path));
}

void RecordingOpener::open(const QString& rootPath) {
    player.open(rootPath);
}

void RecordingOpener::ShowReading(int folders, qint64 frames) {
    picture.SetHint(tr("Reading the recording… %L1 folders, %L2 frames").arg(folders).arg(frames));
}

void RecordingOpener::ShowRecording(bool hasFrame) {
    hasRecording = hasFrame;
    if (hasFrame) {
        RememberRecording(QString::fromLocal8Bit(player.FolderPath()));
    }
    showHowToOpen();
}

void RecordingOpener::showHowToOpen() {
    if (player.Reading()) {
        return;  // the hint tells how far the reading is
    }
    const QStringList recent = ExistingRecentRecordings();
    QString hint =
        tr("Choose a recording's folder with the folder button below, or drop one here.");
    if (!recent.isEmpty()) {
        hint += tr("\n\nClick here to open the last one:\n%1")
                    .arg(QDir::toNativeSeparators(recent.front()));
    }
    picture.SetHint(hasRecording ? QString() : hint);
}

}  // namespace orvik
