#include "shell/services/folder_chooser.h"

#include <QByteArray>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QString>

#include "text/bounded_format.h"

namespace orvik {

std::string BrowseTitle(const char* path) {
    char title[kPathCapacity];
    BoundedFormat(title, sizeof title, "Current %s", path);
    return title;
}

void ChooseFolder(QWidget* owner, char* path, std::size_t capacity) {
    const std::string title = BrowseTitle(path);
    // There is no status line that follows the selection: the dialog shows the selected
    // folder in its own name box.
    const QString preferred = QFile::decodeName(kDefaultFolder);
    const QString start = QFileInfo(preferred).isDir() ? preferred : QString();
    const QString chosen = QFileDialog::getExistingDirectory(
        owner, QString::fromLocal8Bit(title.c_str()), start, QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty()) {
        return;
    }
    // A path cut to the buffer would name another folder: keep the old one instead.
    const QByteArray chosenPath = QFile::encodeName(chosen);
    if (static_cast<std::size_t>(chosenPath.size()) < capacity) {
        BoundedFormat(path, capacity, "%s", chosenPath.constData());
    }
}

}  // namespace orvik
