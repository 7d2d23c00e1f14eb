// orvik-artwork: draws the main window's skin and button faces, the colour settings
// background and the icon, and writes them as 24-bit BMP files named by their resource
// numbers. Every picture is stored upside down, because the windows draw them flipped.
// It also writes the icon at the desktop's usual sizes as PNG files named by their size
// (16.png, ...), which are installed into the hicolor icon theme.
//
//   orvik-artwork <bitmap folder> <icon folder>   (normally resources/bitmaps packaging/icons)

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "tools/artwork/button_faces.h"
#include "tools/artwork/panels.h"

namespace {

constexpr int kDesktopIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

bool MadeFolder(const QDir& folder) {
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "orvik-artwork: cannot make %s\n", qPrintable(folder.path()));
        return false;
    }
    return true;
}

bool WriteDesktopIcon(int size, const QDir& folder) {
    const QString path = folder.filePath(QString("%1.png").arg(size));
    if (!orvik::artwork::DrawDesktopIcon(size).save(path, "PNG")) {
        std::fprintf(stderr, "orvik-artwork: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool WriteUpsideDown(const QImage& upright, const QDir& folder, int id) {
    const QImage stored = upright.convertToFormat(QImage::Format_RGB888).mirrored(false, true);
    const QString path = folder.filePath(QString("%1.bmp").arg(id));
    if (!stored.save(path, "BMP")) {
        std::fprintf(stderr, "orvik-artwork: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);  // fonts need a GUI application
    if (argc != 3) {
        std::fprintf(stderr, "usage: orvik-artwork <bitmap folder> <icon folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QDir iconFolder(QString::fromLocal8Bit(argv[2]));
    if (!MadeFolder(folder) || !MadeFolder(iconFolder)) {
        return 1;
    }
    bool ok = WriteUpsideDown(orvik::artwork::DrawSkin(), folder, 122) &&
              WriteUpsideDown(orvik::artwork::DrawColourBackground(), folder, 168) &&
              WriteUpsideDown(orvik::artwork::DrawIcon(), folder, 159);
    for (const orvik::artwork::ButtonFace& face : orvik::artwork::AllFaces()) {
        ok = ok && WriteUpsideDown(orvik::artwork::DrawFace(face), folder, face.id);
    }
    for (const int size : kDesktopIconSizes) {
        ok = ok && WriteDesktopIcon(size, iconFolder);
    }
    return ok ? 0 : 1;
}
