// The text form of the settings file on platforms without a registry: an INI-style file whose
// [General] section (or the lines before any section) holds "name=value" lines, read line by
// line as the tools read it (settings/file/settings_text.h).
//
// The store uses this instead of the toolkit's own INI writer because that one can commit a
// cut-off file: when the disk fills up during a save, its buffered output fails only at the
// final flush, which it does not check, and the truncated temporary file still replaces the
// old one. Here the flush is checked, and a save that fails is discarded before it replaces
// anything.
#pragma once

#include <QSettings>

class QIODevice;

namespace orvik {

// Reads name=value pairs of the general section as texts (ForEachGeneralSetting), each
// decoded from UTF-8. Lines that are not such pairs and other sections are skipped; a
// damaged file reads as what is left. Always succeeds.
bool ReadSettingsText(QIODevice& device, QSettings::SettingsMap& map);

// Writes the general section with one name=value line for each entry, in name order.
// Fails when any byte could not be written, so that the save is discarded.
bool WriteSettingsText(QIODevice& device, const QSettings::SettingsMap& map);

}  // namespace orvik
