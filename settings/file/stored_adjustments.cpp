#include "settings/file/stored_adjustments.h"

#include <optional>
#include <string>

#include "settings/file/settings_text.h"
#include "settings/file/user_settings_file.h"

namespace orvik {

PictureAdjustments StoredAdjustmentsIn(std::string_view fileText) {
    // The text each name was given last; only a value that is there is read as a number.
    std::array<std::optional<std::string_view>, kStoredAdjustments.size()> texts;
    ForEachGeneralSetting(fileText, [&texts](std::string_view name, std::string_view value) {
        name = WithoutByteOrderMark(name);
        for (std::size_t i = 0; i < kStoredAdjustments.size(); ++i) {
            if (name == kStoredAdjustments[i].name) {
                texts[i] = WithoutByteOrderMark(value);
            }
        }
    });
    PictureAdjustments adjustments;
    for (std::size_t i = 0; i < kStoredAdjustments.size(); ++i) {
        const StoredAdjustment& stored = kStoredAdjustments[i];
        const std::optional<std::int32_t> number =
            texts[i] ? SettingInteger(*texts[i]) : std::nullopt;
        adjustments.*stored.field = number.value_or(stored.defaultValue);
    }
    return adjustments;
}

PictureAdjustments ReadStoredAdjustmentsFile() {
    const std::optional<std::string> text = ReadSettingsFile(UserSettingsFilePath());
    return StoredAdjustmentsIn(text ? std::string_view(*text) : std::string_view());
}

}  // namespace orvik
