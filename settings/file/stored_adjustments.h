// The four picture adjustments the settings store keeps for the user, "Brightness",
// "Contrast", "Hue" and "Saturation", each a signed 32-bit value with its default; and
// their reading from the settings file without Qt, for the command-line tools, which then
// start without loading it. The viewer reads and writes them through the store
// (settings/settings_store.h).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "colour/colour_matrix.h"

namespace orvik {

// One stored adjustment: its value name, its default and its field.
struct StoredAdjustment {
    const char* name;
    std::int32_t defaultValue;
    std::int32_t PictureAdjustments::*field;
};

// The four stored adjustments, in the order they are read and written.
inline constexpr std::array<StoredAdjustment, 4> kStoredAdjustments = {{
    {"Brightness", 80, &PictureAdjustments::brightness},
    {"Contrast", 70, &PictureAdjustments::contrast},
    {"Hue", 49, &PictureAdjustments::hue},
    {"Saturation", 49, &PictureAdjustments::saturation},
}};

// The four values a settings file's text holds, as the store reads them: each the last
// line of its name in the general section when that holds a 32-bit integer, else its
// default. The value is taken as stored, with no range check.
PictureAdjustments StoredAdjustmentsIn(std::string_view fileText);

// The four values of the user's settings file (UserSettingsFilePath()); the defaults when
// there is no file or it cannot be read.
PictureAdjustments ReadStoredAdjustmentsFile();

}  // namespace orvik
