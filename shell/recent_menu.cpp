#include "shell/recent_menu.h"

#include <QDir>
#include <QFileInfo>

#include "settings/recent_recordings.h"

namespace orvik {

QStringList ExistingRecentRecordings() {
    QStringList existing;
    for (const QString& path : ReadRecentRecordings()) {
        if (QFileInfo(path).isDir()) {
            existing.append(path);
        } else {
            ForgetRecording(path);
        }
    }
    return existing;
}

RecentRecordingsMenu::RecentRecordingsMenu(QWidget* parent)
    : QMenu(tr("Recent recordings"), parent) {
    connect(this, &QMenu::aboutToShow, this, &RecentRecordingsMenu::Fill);
    Fill();  // so that the menu entry is enabled when there is something to offer
}

void RecentRecordingsMenu::Fill() {
    clear();
    const QStringList recordings = ExistingRecentRecordings();
    for (const QString& path : recordings) {
        QAction* entry = addAction(QDir::toNativeSeparators(path));
        connect(entry, &QAction::triggered, this, [this, path] { emit chosen(path); });
    }
    if (recordings.isEmpty()) {
        addAction(tr("None yet"))->setEnabled(false);
    }
}

}  // namespace orvik
