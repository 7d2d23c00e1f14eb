// Folder paths as the folder chooser hands them to the viewer: whole (absolute), with "."
// and ".." resolved by their names, and without a trailing separator. The scan tells a
// root from a date folder by a path's last name, so a folder typed on a command line
// ("demo", "rec/24061509/") must take this form before it is scanned.
#pragma once

#include <string>

namespace orvik {

// The chooser's form of given, made absolute against the current folder; the root folder
// "/" stays "/". When the current folder cannot be known, given is taken as it is.
std::string AbsoluteFolderPath(const std::string& given);

}  // namespace orvik
