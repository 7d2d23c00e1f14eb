// The region activity is measured in, remembered for each recording: one stored text,
// "ActivityRegions", of entries "path=x,y,w,h" joined by ';', the latest first, each root
// folder's path percent-encoded (so that neither '=' nor ';' can stand in it). The regions of
// the last 32 recordings are kept.
#pragma once

#include <QRect>
#include <QString>

namespace orvik {

inline constexpr int kRememberedRegions = 32;

// The region remembered for the recording at root; a null rectangle when there is none or
// the stored entry cannot be read.
QRect ReadActivityRegion(const QString& root);

// Remembers region for root (a null rectangle forgets it).
void RememberActivityRegion(const QString& root, const QRect& region);

}  // namespace orvik
