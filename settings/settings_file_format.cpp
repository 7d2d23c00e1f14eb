#include "settings/settings_file_format.h"

#include <QByteArray>
#include <QFileDevice>
#include <QIODevice>
#include <QList>

namespace orvik {
namespace {

constexpr char kGeneralSection[] = "[General]";

}  // namespace

bool ReadSettingsText(QIODevice& device, QSettings::SettingsMap& map) {
    bool inGeneral = true;  // lines before any section header belong to the general one
    const QList<QByteArray> lines = device.readAll().split('\n');
    for (const QByteArray& rawLine : lines) {
        const QByteArray line = rawLine.trimmed();
        if (line.startsWith('[')) {
            inGeneral = line == kGeneralSection;
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!inGeneral || equals <= 0 || line.startsWith(';') || line.startsWith('#')) {
            continue;
        }
        const QString name = QString::fromUtf8(line.left(equals).trimmed());
        map.insert(name, QString::fromUtf8(line.mid(equals + 1).trimmed()));
    }
    return true;
}

bool WriteSettingsText(QIODevice& device, const QSettings::SettingsMap& map) {
    QByteArray text = QByteArray(kGeneralSection) + '\n';
    for (auto entry = map.cbegin(); entry != map.cend(); ++entry) {
        text += entry.key().toUtf8() + '=' + entry.value().toString().toUtf8() + '\n';
    }
    if (device.write(text) != text.size()) {
        return false;
    }
    // The device buffers: a full disk shows only when the buffer is flushed.
    auto* file = qobject_cast<QFileDevice*>(&device);
    return file == nullptr || file->flush();
}

}  // namespace orvik
