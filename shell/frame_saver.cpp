#include "shell/frame_saver.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>
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
        ChosenFile chosen;
        chosen.path =
            QFileDialog::getSaveFileName(parent, title, suggested, filter, &chosen.filter);
        return chosen;
    };
}

// A frame whose picture is not on screen is never saved or copied under its time.
bool FrameSaver::Refused(const QString& noFrame, const QString& notDone) {
    if (!player.ShownMoment()) {
        emit noted(noFrame);
        return true;
    }
    switch (player.ShownFrameProblem()) {
        case Player::FrameProblem::kNone:
            return false;
        case Player::FrameProblem::kDamaged:
            emit noted(
                tr("%1: the frame at %2 is damaged").arg(notDone, player.ShownCaptureTime()));
            return true;
        case Player::FrameProblem::kGone:
            emit noted(
                tr("%1: the frame at %2 cannot be read").arg(notDone, player.ShownCaptureTime()));
            return true;
    }
    return true;
}

void FrameSaver::saveSnapshot() {
    if (Refused(tr("No frame to save"), tr("Not saved"))) {
        return;
    }
    const QString folder = snapshotFolder.isEmpty() ? PicturesFolder() : snapshotFolder;
    QDir().mkpath(folder);
    WriteFrame(UnusedPath(folder, SnapshotName(player.ShownCaptureTime())));
}

void FrameSaver::saveFrameAs() {
    if (Refused(tr("No frame to save"), tr("Not saved"))) {
        return;
    }
    const QString filters =
        tr("Pictures (*.png *.bmp);;The frame's own coded data as JPEG (*.jpg)");
    const QString folder = saveAsFolder.isEmpty() ? PicturesFolder() : saveAsFolder;
    const ChosenFile chosen =
        chooseSaveFile(owner, tr("Save frame as"),
                       QDir(folder).filePath(SnapshotName(player.ShownCaptureTime())), filters);
    if (chosen.path.isEmpty()) {
        return;
    }
    const QString path = WithFilterExtension(chosen, filters);
    saveAsFolder = QFileInfo(path).absolutePath();
    WriteFrame(path);
}

QString FrameSaver::WithFilterExtension(const ChosenFile& chosen, const QString& filters) {
    // A name like "2024-06-15_09-00-00.25" has a suffix, but not one a filter names.
    const QRegularExpression extension(R"(\*\.(\w+))");
    const QString suffix = QFileInfo(chosen.path).suffix().toLower();
    for (const QRegularExpressionMatch& named : extension.globalMatch(filters)) {
        if (named.captured(1) == suffix) {
            return chosen.path;
        }
    }
    const QString filter = chosen.filter.isEmpty() ? filters.section(";;", 0, 0) : chosen.filter;
    const QRegularExpressionMatch first = extension.match(filter);
    return first.hasMatch() ? chosen.path + "." + first.captured(1) : chosen.path;
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
    if (Refused(tr("No frame to copy"), tr("Not copied"))) {
        return;
    }
    QApplication::clipboard()->setImage(UprightLibraryPicture(player.Library()));
    emit noted(tr("Frame copied"));
}

}  // namespace orvik
