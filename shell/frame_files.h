// Taking the frame on screen out of the viewer: the names a saved frame gets from its
// capture time, and writing a picture or bytes to a file whole or not at all.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace orvik {

// "YYYY-MM-DD_HH-MM-SS.cc.png" from a capture time "YYYY/MM/DD HH:MM:SS.cc".
QString SnapshotName(const QString& captureTime, const QString& extension = "png");

// folder/name, or, when that is taken, folder/"stem (2).ext", "stem (3).ext" … : a path
// that names no file yet.
QString UnusedPath(const QString& folder, const QString& name);

// Writes the picture (format by the path's extension: png or bmp), or the bytes, to path
// under a temporary name and renames it only when all was written, so that a failed write
// leaves nothing. Empty on success, else the reason.
QString SavePicture(const QImage& picture, const QString& path);
QString SaveBytes(const QByteArray& bytes, const QString& path);

}  // namespace orvik
