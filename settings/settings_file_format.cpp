#include "settings/settings_file_format.h"

#include <QByteArray>
#include <QFileDevice>
#include <QIODevice>
#include <string_view>

#include "settings/file/settings_text.h"

namespace orvik {
namespace {

qsizetype Size(std::string_view text) {
    return static_cast<qsizetype>(text.size());
}

}  // namespace

bool ReadSettingsText(QIODevice& device, QSettings::SettingsMap& map) {
    const QByteArray text = device.readAll();
    ForEachGeneralSetting(std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                          [&map](std::string_view name, std::string_view value) {
                              map.insert(QString::fromUtf8(name.data(), Size(name)),
                                         QString::fromUtf8(value.data(), Size(value)));
                          });
    return true;
}

bool WriteSettingsText(QIODevice& device, const QSettings::SettingsMap& map) {
    QByteArray text = QByteArray(kGeneralSectionHeader.data(), Size(kGeneralSectionHeader)) + '\n';
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
