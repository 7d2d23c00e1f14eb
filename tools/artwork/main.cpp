// orvik-artwork: draws the main window's skin and button faces, the colour settings
// background and the icon, and writes them as 24-bit BMP files named by their resource
// numbers. Every picture is stored upside down, because the windows draw them flipped.
//
//   orvik-artwork <output folder>      (normally resources/bitmaps)

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "tools/artwork/button_faces.h"
#include "tools/artwork/panels.h"

namespace {

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
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvik-artwork <output folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "orvik-artwork: cannot make %s\n", argv[1]);
        return 1;
    }
    bool ok = WriteUpsideDown(orvik::artwork::DrawSkin(), folder, 122) &&
              WriteUpsideDown(orvik::artwork::DrawColourBackground(), folder, 168) &&
              WriteUpsideDown(orvik::artwork::DrawIcon(), folder, 159);
    for (const orvik::artwork::ButtonFace& face : orvik::artwork::AllFaces()) {
        ok = ok && WriteUpsideDown(orvik::artwork::DrawFace(face), folder, face.id);
    }
    return ok ? 0 : 1;
}
