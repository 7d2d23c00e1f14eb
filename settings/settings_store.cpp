#include "settings/settings_store.h"

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>
#include <string_view>

#include "settings/file/settings_text.h"
#include "settings/settings_file_format.h"

namespace orvik {
namespace {

constexpr char kOrganisation[] = "Telmora";
constexpr char kApplication[] = "Kestrune";

QSettings::Format StoreFormat() {
#ifdef Q_OS_WIN
    return QSettings::NativeFormat;  // the registry key; each value is written on its own
#else
    static const QSettings::Format format =
        QSettings::registerFormat("conf", ReadSettingsText, WriteSettingsText);
    return format;
#endif
}

// The store is the user's own file (or key) only: no organisation-wide or system-wide
// fallbacks. A save goes through a temporary file that replaces the old one in one step,
// with no direct-write fallback.
std::unique_ptr<QSettings> OpenStore() {
    auto store = std::make_unique<QSettings>(StoreFormat(), QSettings::UserScope, kOrganisation,
                                             kApplication);
    store->setFallbacksEnabled(false);
    store->setAtomicSyncRequired(true);
    return store;
}

// The stored value when it is a 32-bit integer. Settings files keep numbers as text, so a
// decimal text that fits 32 bits counts, read by the same rule as the tools read the file
// with; a typed value counts when it is 4 bytes wide.
std::optional<std::int32_t> StoredInteger(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::QString: {
            const QByteArray text = value.toString().toUtf8();
            return SettingInteger(
                std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
        }
        case QMetaType::Int:
            return value.toInt();
        case QMetaType::UInt:
            // The four stored bytes, read as a signed value.
            return static_cast<std::int32_t>(value.toUInt());
        default:
            return std::nullopt;
    }
}

}  // namespace

void ReadSetting(const char* name, std::int32_t defaultValue, std::int32_t& result) {
    result = StoredInteger(OpenStore()->value(QString::fromLatin1(name))).value_or(defaultValue);
}

void WriteSetting(const char* name, std::int32_t value) {
    const std::unique_ptr<QSettings> store = OpenStore();
    store->setValue(QString::fromLatin1(name), static_cast<int>(value));
    store->sync();  // a failed save is ignored: the old file stays as it was
}

QString ReadText(const QString& name) {
    return OpenStore()->value(name).toString();
}

void WriteText(const QString& name, const QString& text) {
    const std::unique_ptr<QSettings> store = OpenStore();
    if (text.isEmpty()) {
        store->remove(name);
    } else {
        store->setValue(name, text);
    }
    store->sync();
}

PictureAdjustments ReadStoredAdjustments() {
    PictureAdjustments adjustments;
    for (const StoredAdjustment& stored : kStoredAdjustments) {
        ReadSetting(stored.name, stored.defaultValue, adjustments.*stored.field);
    }
    return adjustments;
}

void WriteStoredAdjustments(const PictureAdjustments& adjustments) {
    for (const StoredAdjustment& stored : kStoredAdjustments) {
        WriteSetting(stored.name, adjustments.*stored.field);
    }
}

}  // namespace orvik
