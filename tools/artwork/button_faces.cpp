#include "tools/artwork/button_faces.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>

#include "tools/artwork/palette.h"

namespace orvik::artwork {
namespace {

using S = FaceSymbol;
using L = FaceLook;

const std::array<ButtonFace, 24> kFaces = {{
    {128, 50, 46, S::SkipBack, L::Normal},
    {130, 50, 46, S::SkipBack, L::Pressed},
    {131, 46, 46, S::StepBack, L::Pressed},
    {134, 46, 46, S::StepBack, L::Normal},
    {135, 46, 46, S::Stop, L::Lit},
    {137, 46, 46, S::Stop, L::Normal},
    {138, 54, 60, S::Play, L::Lit},
    {139, 54, 60, S::Play, L::Normal},
    {140, 46, 46, S::Pause, L::Lit},
    {141, 46, 46, S::Pause, L::Normal},
    {142, 46, 46, S::StepForward, L::Pressed},
    {143, 46, 46, S::StepForward, L::Normal},
    {144, 50, 46, S::SkipForward, L::Pressed},
    {145, 50, 46, S::SkipForward, L::Normal},
    {146, 56, 46, S::Folder, L::Pressed},
    {147, 56, 46, S::Folder, L::Normal},
    {148, 54, 60, S::PlayBackward, L::Lit},
    {149, 54, 60, S::PlayBackward, L::Normal},
    {150, 66, 46, S::ColourSet, L::Pressed},
    {151, 66, 46, S::ColourSet, L::Normal},
    {153, 68, 46, S::Search, L::Normal},
    {154, 68, 46, S::Search, L::Pressed},
    {155, 20, 18, S::Close, L::Normal},
    {156, 20, 18, S::Close, L::Pressed},
}};

bool IsRing(FaceSymbol symbol) {
    return symbol == S::Play || symbol == S::PlayBackward;
}

// A triangle pointing right (direction +1) or left (-1), centred on x, half-height r and
// half-width half.
QPainterPath Triangle(double x, double y, double r, int direction, double half) {
    QPainterPath path;
    path.moveTo(x - direction * half, y - r);
    path.lineTo(x + direction * half, y);
    path.lineTo(x - direction * half, y + r);
    path.closeSubpath();
    return path;
}

QPainterPath Bar(double x, double y, double width, double r) {
    QPainterPath path;
    path.addRoundedRect(QRectF(x - width / 2, y - r, width, 2 * r), width / 3, width / 3);
    return path;
}

QPainterPath FolderShape(QPointF c, double r) {
    const double w = r * 2.6, h = r * 1.9;
    const QRectF body(c.x() - w / 2, c.y() - h / 2 + r * 0.25, w, h - r * 0.25);
    QPainterPath tab;
    tab.addRoundedRect(QRectF(body.left(), body.top() - r * 0.35, w * 0.42, r * 0.7), 2, 2);
    QPainterPath path;
    path.addRoundedRect(body, 3, 3);
    return path.united(tab);
}

// The symbol as a filled shape, centred on c with half-size r.
QPainterPath SymbolPath(FaceSymbol symbol, QPointF c, double r) {
    const double x = c.x(), y = c.y();
    QPainterPath path;
    switch (symbol) {
        case S::SkipBack:
            path.addPath(Bar(x - r * 1.2, y, r * 0.32, r));
            path.addPath(Triangle(x - r * 0.4, y, r, -1, r * 0.55));
            path.addPath(Triangle(x + r * 0.7, y, r, -1, r * 0.55));
            break;
        case S::SkipForward:
            path.addPath(Triangle(x - r * 0.7, y, r, 1, r * 0.55));
            path.addPath(Triangle(x + r * 0.4, y, r, 1, r * 0.55));
            path.addPath(Bar(x + r * 1.2, y, r * 0.32, r));
            break;
        case S::StepBack:
            path.addPath(Triangle(x - r * 0.25, y, r, -1, r * 0.85));
            path.addPath(Bar(x + r * 0.85, y, r * 0.36, r));
            break;
        case S::StepForward:
            path.addPath(Bar(x - r * 0.85, y, r * 0.36, r));
            path.addPath(Triangle(x + r * 0.25, y, r, 1, r * 0.85));
            break;
        case S::Stop:
            path.addRoundedRect(QRectF(x - r * 0.8, y - r * 0.8, r * 1.6, r * 1.6), r * 0.2,
                                r * 0.2);
            break;
        case S::Pause:
            path.addPath(Bar(x - r * 0.45, y, r * 0.5, r * 0.9));
            path.addPath(Bar(x + r * 0.45, y, r * 0.5, r * 0.9));
            break;
        case S::Play:
            path.addPath(Triangle(x + r * 0.12, y, r, 1, r * 0.85));
            break;
        case S::PlayBackward:
            path.addPath(Triangle(x - r * 0.12, y, r, -1, r * 0.85));
            break;
        case S::Folder:
            path.addPath(FolderShape(c, r));
            break;
        case S::ColourSet:
        case S::Search:
        case S::Close:
            break;  // words and the cross are drawn by their own painters
    }
    return path;
}

QLinearGradient KeyGradient(const QRectF& key, FaceLook look) {
    QLinearGradient gradient(key.topLeft(), key.bottomLeft());
    switch (look) {
        case L::Normal:
            gradient.setColorAt(0, kKeyTop);
            gradient.setColorAt(1, kKeyBottom);
            break;
        case L::Pressed:
            gradient.setColorAt(0, kKeyPressedTop);
            gradient.setColorAt(1, kKeyPressedBottom);
            break;
        case L::Lit:
            gradient.setColorAt(0, kKeyLitTop);
            gradient.setColorAt(1, kKeyLitBottom);
            break;
    }
    return gradient;
}

// The key body: a rounded key, or a round key for the two play buttons.
QPainterPath KeyShape(const ButtonFace& face) {
    QPainterPath path;
    if (IsRing(face.symbol)) {
        const double d = std::min(face.width, face.height) - 3.0;
        path.addEllipse(QRectF((face.width - d) / 2, (face.height - d) / 2, d, d));
    } else {
        path.addRoundedRect(QRectF(1.5, 1.5, face.width - 3.0, face.height - 3.0), 7, 7);
    }
    return path;
}

void DrawKey(QPainter& p, const ButtonFace& face) {
    const QPainterPath key = KeyShape(face);
    const QRectF bounds = key.boundingRect();
    p.fillPath(key, KeyGradient(bounds, face.look));
    if (face.look == L::Lit) {
        QRadialGradient glow(bounds.center(), bounds.width() * 0.55);
        glow.setColorAt(0, QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 90));
        glow.setColorAt(1, QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 0));
        p.fillPath(key, glow);
    }
    // A thin highlight along the upper edge, or a shade when the key is held down.
    QLinearGradient rim(bounds.topLeft(), bounds.bottomLeft());
    const int rimAlpha = face.look == L::Pressed ? 0 : 70;
    rim.setColorAt(0, QColor(255, 255, 255, rimAlpha));
    rim.setColorAt(0.5, QColor(255, 255, 255, 0));
    p.setPen(QPen(QBrush(rim), 1.2));
    p.drawPath(KeyShape(face).translated(0, 0.6));
    const QColor border = face.look == L::Lit ? kAccent : kKeyBorder;
    p.setPen(QPen(border, face.look == L::Lit ? 1.4 : 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(key);
}

QColor SymbolColour(FaceLook look) {
    switch (look) {
        case L::Pressed:
            return kAccent;
        case L::Lit:
            return kAccentBright;
        case L::Normal:
            break;
    }
    return kSymbol;
}

// A soft halo: the shape stroked ever thinner in the accent colour.
void DrawHalo(QPainter& p, const QPainterPath& shape) {
    for (int width = 7; width >= 2; width -= 2) {
        QColor halo = kAccent;
        halo.setAlpha(34);
        p.strokePath(shape, QPen(halo, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
}

void DrawShapeSymbol(QPainter& p, const ButtonFace& face, QPointF centre) {
    const double r = IsRing(face.symbol) ? face.height * 0.2 : face.height * 0.19;
    const QPainterPath shape = SymbolPath(face.symbol, centre, r);
    if (face.look == L::Lit) {
        DrawHalo(p, shape);
    }
    p.fillPath(shape, SymbolColour(face.look));
    if (face.symbol == S::Folder) {
        // The folder's front flap, a shade lighter, so the shape reads as a folder.
        const double w = r * 2.6, h = r * 1.2;
        QPainterPath flap;
        flap.addRoundedRect(QRectF(centre.x() - w / 2, centre.y() - h / 2 + r * 0.45, w, h), 2.5,
                            2.5);
        QColor front = face.look == L::Normal ? kKeyTop : kKeyPressedTop;
        front.setAlpha(110);
        p.fillPath(flap, front);
    }
}

void DrawWords(QPainter& p, const ButtonFace& face, QPointF centre) {
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(face.symbol == S::Search ? 12 : 11);
    p.setFont(font);
    p.setPen(SymbolColour(face.look));
    const QString words = face.symbol == S::Search ? "Search" : "Color Set";
    const QRectF box(centre.x() - face.width / 2.0, centre.y() - 10, face.width, 16);
    p.drawText(box, Qt::AlignCenter, words);
    const QRectF mark(centre.x() - 15, centre.y() + 8, 30, 3);
    if (face.symbol == S::ColourSet) {
        // A thin spectrum under the words: what the button is for.
        QLinearGradient spectrum(mark.topLeft(), mark.topRight());
        const QColor stops[] = {{0xe8, 0x4a, 0x5f},
                                {0xf2, 0xc1, 0x4e},
                                {0x5c, 0xd1, 0x7b},
                                {0x3c, 0xc8, 0xf0},
                                {0x8e, 0x6b, 0xf0}};
        for (int i = 0; i < 5; ++i) {
            spectrum.setColorAt(i / 4.0, stops[i]);
        }
        QPainterPath bar;
        bar.addRoundedRect(mark, 1.5, 1.5);
        p.fillPath(bar, spectrum);
    } else {
        QPainterPath underline;
        underline.addRoundedRect(mark.adjusted(6, 0, -6, -1), 1, 1);
        p.fillPath(underline, face.look == L::Normal ? kTextMuted : kAccent);
    }
}

void DrawClose(QPainter& p, const ButtonFace& face) {
    const QRectF disc(1, 0.5, face.width - 2.0, face.height - 1.0);
    QRadialGradient fill(disc.center() - QPointF(2, 2), disc.width() * 0.7);
    fill.setColorAt(0, face.look == L::Pressed ? kCloseRedDark : kCloseRed.lighter(120));
    fill.setColorAt(1, face.look == L::Pressed ? kCloseRedDark.darker(130) : kCloseRedDark);
    QPainterPath round;
    round.addEllipse(disc.adjusted(1, 0, -1, 0));
    p.fillPath(round, fill);
    p.setPen(QPen(QColor(255, 255, 255, face.look == L::Pressed ? 190 : 240), 1.8, Qt::SolidLine,
                  Qt::RoundCap));
    const QPointF c = disc.center();
    p.drawLine(c + QPointF(-3.5, -3.5), c + QPointF(3.5, 3.5));
    p.drawLine(c + QPointF(-3.5, 3.5), c + QPointF(3.5, -3.5));
}

}  // namespace

std::span<const ButtonFace> AllFaces() {
    return kFaces;
}

QImage DrawFace(const ButtonFace& face) {
    QImage image(face.width, face.height, QImage::Format_RGB32);
    image.fill(face.symbol == S::Close ? kSlateTop : kBand);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (face.symbol == S::Close) {
        DrawClose(p, face);
        return image;
    }
    DrawKey(p, face);
    // A key held down shows its symbol a pixel lower, as if pushed in.
    const double sink = face.look == L::Pressed ? 1.0 : 0.0;
    const QPointF centre(face.width / 2.0, face.height / 2.0 + sink);
    if (face.symbol == S::ColourSet || face.symbol == S::Search) {
        DrawWords(p, face, centre);
    } else {
        DrawShapeSymbol(p, face, centre);
    }
    return image;
}

}  // namespace orvik::artwork
