#include "settings/activity_regions.h"

#include <QStringList>
#include <QUrl>

#include "settings/settings_store.h"

namespace orvik {
namespace {

const QString kStoredName = "ActivityRegions";

QString KeyOf(const QString& root) {
    return QString::fromLatin1(QUrl::toPercentEncoding(root));
}

// "x,y,w,h" with a positive width and height; a null rectangle for anything else.
QRect RegionOf(const QString& text) {
    const QStringList fields = text.split(',');
    if (fields.size() != 4) {
        return {};
    }
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = fields[i].toInt(&ok);
        if (!ok) {
            return {};
        }
    }
    if (values[0] < 0 || values[1] < 0 || values[2] <= 0 || values[3] <= 0) {
        return {};
    }
    return QRect(values[0], values[1], values[2], values[3]);
}

QString TextOf(const QRect& region) {
    return QString("%1,%2,%3,%4")
        .arg(region.x())
        .arg(region.y())
        .arg(region.width())
        .arg(region.height());
}

}  // namespace

QRect ReadActivityRegion(const QString& root) {
    const QString key = KeyOf(root) + '=';
    for (const QString& entry : ReadText(kStoredName).split(';', Qt::SkipEmptyParts)) {
        if (entry.startsWith(key)) {
            return RegionOf(entry.mid(key.size()));
        }
    }
    return {};
}

void RememberActivityRegion(const QString& root, const QRect& region) {
    const QString key = KeyOf(root) + '=';
    QStringList entries = ReadText(kStoredName).split(';', Qt::SkipEmptyParts);
    entries.removeIf([&key](const QString& entry) { return entry.startsWith(key); });
    if (!region.isNull()) {
        entries.prepend(key + TextOf(region));
    }
    WriteText(kStoredName, entries.mid(0, kRememberedRegions).join(';'));
}

}  // namespace orvik
