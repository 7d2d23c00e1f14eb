#include "shell/frame_files.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

namespace orvik {

QString SnapshotName(const QString& captureTime, const QString& extension) {
    QString name = captureTime;
    name.replace('/', '-').replace(' ', '_').replace(':', '-');
    return name + "." + extension;
}

QString UnusedPath(const QString& folder, const QString& name) {
    const QDir dir(folder);
    QString path = dir.filePath(name);
    const QFileInfo info(name);
    for (int n = 2; QFileInfo::exists(path); ++n) {
        // The stem keeps its hundredths: "2024-06-15_09-00-00.25 (2).png".
        const QString stem = name.left(name.size() - info.suffix().size() - 1);
        path = dir.filePath(QString("%1 (%2).%3").arg(stem).arg(n).arg(info.suffix()));
    }
    return path;
}

QString SavePicture(const QImage& picture, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    QImageWriter writer(&file, QFileInfo(path).suffix().toLower().toLatin1());
    if (!writer.write(picture)) {
        file.cancelWriting();
        return writer.errorString();
    }
    return file.commit() ? QString() : file.errorString();
}

QString SaveBytes(const QByteArray& bytes, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return file.errorString();
    }
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return file.errorString();
    }
    return file.commit() ? QString() : file.errorString();
}

}  // namespace orvik
