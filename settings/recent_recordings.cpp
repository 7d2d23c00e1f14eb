#include "settings/recent_recordings.h"

#include <QUrl>

#include "settings/settings_store.h"

namespace orvik {
namespace {

QString KeyOf(int index) {
    return QString("Recent%1").arg(index + 1);
}

void WriteRecentRecordings(const QStringList& paths) {
    for (int i = 0; i < kRecentRecordings; ++i) {
        WriteText(KeyOf(i), i < paths.size()
                                ? QString::fromLatin1(QUrl::toPercentEncoding(paths[i]))
                                : QString());
    }
}

}  // namespace

QStringList ReadRecentRecordings() {
    QStringList paths;
    for (int i = 0; i < kRecentRecordings; ++i) {
        const QString path = QUrl::fromPercentEncoding(ReadText(KeyOf(i)).toLatin1());
        if (!path.isEmpty() && !paths.contains(path)) {
            paths.append(path);
        }
    }
    return paths;
}

void RememberRecording(const QString& path) {
    QStringList paths = ReadRecentRecordings();
    paths.removeAll(path);
    paths.prepend(path);
    WriteRecentRecordings(paths.mid(0, kRecentRecordings));
}

void ForgetRecording(const QString& path) {
    QStringList paths = ReadRecentRecordings();
    paths.removeAll(path);
    WriteRecentRecordings(paths);
}

}  // namespace orvik
