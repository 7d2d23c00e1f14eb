#include "shell/frame_saver.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

#include "decoder/frame_format.h"
#include "jpeg/frame_jpeg.h"
#include "shell/bottom_up_picture.h"
#include "shell/frame_files.h"
#include "shell/player.h"

namespace orvik {
namespace {

QString PicturesFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
}

// The frame's own coded data as a standard JPEG with its capture time; empty on success,
// else the reason.
QString SaveFrameAsJpeg(const char* framePath, const QString& path) {
    QFile frame(QString::fromLocal8Bit(framePath));
    const QByteArray bytes = frame.open(QIODevice::ReadOnly) ? frame.readAll() : QByteArray();
    if (bytes.size() <= qsizetype(kFrameHeaderSize)) {
        return QObject::tr("the frame file cannot be read again");
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    const std::vector<std::uint8_t> jpeg =
        FrameAsJpeg({data, std::size_t(bytes.size())}, CaptureTimeOfPath(framePath));
    return SaveBytes(QByteArray(reinterpret_cast<const char*>(jpeg.data()), qsizetype(jpeg.size())),
                     path);
}

}  // namespace

FrameSaver::FrameSaver(const Player& player, QWidget* owner)
    : QObject(owner), player(player), owner(owner) {
    chooseSaveFile = [](QWidget* parent, const QString& title, const QString& suggested,
                        const QString& filter) {
        return QFileDialog::getSaveFileName(parent, title, suggested, filter);
    };
}

void FrameSaver::saveSnapshot() {
    if (!player.ShownMoment()) {
        emit noted(tr("No frame to save"));
        return;
    }
    const QString folder = snapshotFolder.isEmpty() ? PicturesFolder() : snapshotFolder;
    QDir().mkpath(folder);
    WriteFrame(UnusedPath(folder, SnapshotName(player.ShownCaptureTime())));
}

void FrameSaver::saveFrameAs() {
    if (!player.ShownMoment()) {
        emit noted(tr("No frame to save"));
        return;
    }
    const QString path =
        chooseSaveFile(owner, tr("Save frame as"),
                       QDir(PicturesFolder()).filePath(SnapshotName(player.ShownCaptureTime())),
                       tr("Pictures (*.png *.bmp);;The frame's own coded data as JPEG (*.jpg)"));
    if (!path.isEmpty()) {
        WriteFrame(path);
    }
}

void FrameSaver::WriteFrame(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    const QString failure = suffix == "jpg" || suffix == "jpeg"
                                ? SaveFrameAsJpeg(player.Library().OpenPath(), path)
                                : SavePicture(UprightLibraryPicture(player.Library()), path);
    if (!failure.isEmpty()) {
        QMessageBox::critical(owner, tr("Frame not saved"),
                              tr("%1 could not be written: %2").arg(path, failure));
        return;
    }
    emit noted(tr("Saved %1").arg(QDir::toNativeSeparators(path)));
}

void FrameSaver::copyFrame() {
    if (!player.ShownMoment()) {
        emit noted(tr("No frame to copy"));
        return;
    }
    QApplication::clipboard()->setImage(UprightLibraryPicture(player.Library()));
    emit noted(tr("Frame copied"));
}

}  // namespace orvik
