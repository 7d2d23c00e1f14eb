// The recordings opened last, kept in the settings store beside the picture adjustments as
// "Recent1" (the latest) to "Recent10", each a root folder's path percent-encoded so that
// any path survives the store's one line a value.
#pragma once

#include <QStringList>

namespace orvik {

inline constexpr int kRecentRecordings = 10;

// The stored paths, latest first; entries that cannot be read are left out.
QStringList ReadRecentRecordings();

// Puts path first, drops an earlier mention of it and whatever falls beyond ten.
void RememberRecording(const QString& path);

// Drops path from the list (a recording that is no longer there).
void ForgetRecording(const QString& path);

}  // namespace orvik
