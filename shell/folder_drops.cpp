#include "shell/folder_drops.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace orvik {
namespace {

class FolderDrops : public QObject {
  public:
    FolderDrops(QWidget* window, std::function<void(const QString&)> open)
        : QObject(window), open(std::move(open)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::DragEnter) {
            auto* drag = static_cast<QDragEnterEvent*>(event);
            if (!DroppedFolder(drag->mimeData()->urls()).isEmpty()) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            const QString folder = DroppedFolder(drop->mimeData()->urls());
            if (!folder.isEmpty()) {
                drop->acceptProposedAction();
                open(folder);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void(const QString&)> open;
};

}  // namespace

QString DroppedFolder(const QList<QUrl>& urls) {
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return QString();
    }
    const QFileInfo folder(urls.front().toLocalFile());
    return folder.isDir() ? folder.absoluteFilePath() : QString();
}

void AcceptFolderDrops(QWidget* window, std::function<void(const QString& path)> open) {
    window->setAcceptDrops(true);
    window->installEventFilter(new FolderDrops(window, std::move(open)));
}

}  // namespace orvik
