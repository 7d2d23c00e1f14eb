// The user's settings file where the settings store keeps it on Linux: QSettings' user
// scope for organisation "Telmora", application "Kestrune" in the store's "conf" format,
// that is $XDG_CONFIG_HOME/Telmora/Kestrune.conf, or ~/.config/Telmora/Kestrune.conf when
// XDG_CONFIG_HOME is unset or empty. Found and read here without Qt, for the tools.
#pragma once

#include <optional>
#include <string>

namespace orvik {

// The file's path for these values of XDG_CONFIG_HOME and HOME (null when unset), as Qt
// makes it: a non-empty XDG_CONFIG_HOME is taken as it is, even when relative (then it is
// taken from the current folder); otherwise HOME's .config folder, "/" standing for a HOME
// that is unset or empty. The result is absolute, with "." and ".." resolved by name.
std::string UserSettingsFilePath(const char* configHome, const char* home);

// The same for this process's environment.
std::string UserSettingsFilePath();

// The whole text of the regular file at path; nothing when it is missing, is not a regular
// file or cannot be read to its end.
std::optional<std::string> ReadSettingsFile(const std::string& path);

}  // namespace orvik
