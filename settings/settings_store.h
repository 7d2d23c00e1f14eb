// The per-user settings store: four signed 32-bit values, "Brightness", "Contrast", "Hue" and
// "Saturation", under organisation "Telmora", application "Kestrune" (on Linux the file
// ~/.config/Telmora/Kestrune.conf, on Windows the key HKEY_CURRENT_USER\Software\Telmora\Kestrune).
// Nothing is ever reported: a value that cannot be read gives the caller's default, and a
// write that fails is lost, leaving what was stored before.
#pragma once

#include <QString>
#include <cstdint>

#include "colour/colour_matrix.h"
#include "settings/file/stored_adjustments.h"

namespace orvik {

// Stores the named value in result, or defaultValue when the value is missing or is not a
// 32-bit integer. The value is taken as stored, with no range check.
void ReadSetting(const char* name, std::int32_t defaultValue, std::int32_t& result);

// Stores value under name. The file is replaced as a whole, never rewritten in place, so a
// failed or interrupted save leaves the previous values.
void WriteSetting(const char* name, std::int32_t value);

// A stored text; empty when missing. Writing an empty text removes the value.
QString ReadText(const QString& name);
void WriteText(const QString& name, const QString& text);

// The four values of kStoredAdjustments read with ReadSetting, each with its default.
PictureAdjustments ReadStoredAdjustments();

// The four values written with WriteSetting, in the order of kStoredAdjustments.
void WriteStoredAdjustments(const PictureAdjustments& adjustments);

}  // namespace orvik
