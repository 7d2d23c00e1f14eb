// A folder dropped on a window opens as a recording, as the folder chooser would open it: a
// recording's root folder or one of its date folders. Only one local folder is taken;
// anything else dropped is refused as the drag enters.
#pragma once

#include <QList>
#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

namespace orvik {

// Makes window take dropped folders, handing each one's path to open.
void AcceptFolderDrops(QWidget* window, std::function<void(const QString& path)> open);

// The local folder that a drop of these URLs names; empty when it names anything else.
QString DroppedFolder(const QList<QUrl>& urls);

}  // namespace orvik
