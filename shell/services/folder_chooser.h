// The folder chooser: the dialog in which the user picks the root folder of a recording.
// It lists folders only, opens at the default folder when that exists, and shows the
// current path in its title line.
#pragma once

#include <cstddef>
#include <string>

#include "platform/path_capacity.h"

class QWidget;

namespace orvik {

// The folder the chooser opens at; when it does not exist the dialog opens where it likes.
#ifdef _WIN32
inline constexpr char kDefaultFolder[] = "C:\\Program Files\\Telmora\\Vantic";
#else
inline constexpr char kDefaultFolder[] = "/opt/Telmora/Vantic";
#endif

// The chooser's title line: "Current <path>", cut to a path buffer's capacity. A path never
// chosen is a single blank.
std::string BrowseTitle(const char* path);

// Lets the user pick a folder. On return path (a buffer of capacity characters) holds the
// chosen folder, or is unchanged when the user cancelled or the folder's path does not fit.
void ChooseFolder(QWidget* owner, char* path, std::size_t capacity);

}  // namespace orvik
