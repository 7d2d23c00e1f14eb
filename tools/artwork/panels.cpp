#include "tools/artwork/panels.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "resources/dialog_template.h"
#include "tools/artwork/palette.h"

namespace orvik::artwork {
namespace {

constexpr int kSkinWidth = 704, kSkinHeight = 688;
constexpr int kClientWidth = 720, kClientHeight = 680;
constexpr int kColourWidth = 399, kColourHeight = 266;
constexpr int kColourClientWidth = 384, kColourClientHeight = 244;

QRectF ControlRect(const DialogTemplate& dialog, ControlId id) {
    const ControlTemplate* c = FindControl(dialog, id);
    const PixelRect r = DialogPixels(dialog, c->x, c->y, c->width, c->height);
    return QRectF(r.x, r.y, r.width, r.height);
}

QRectF MainRect(ControlId id) {
    return ControlRect(MainWindowTemplate(), id);
}

QRectF ColourRect(ControlId id) {
    return ControlRect(ColourSettingsTemplate(), id);
}

QFont Font(int pixels, bool bold) {
    QFont font("DejaVu Sans");
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// Slate from top to bottom with a faint sheen across the upper left.
void FillSlate(QPainter& p, const QRectF& area) {
    QLinearGradient slate(area.topLeft(), area.bottomLeft());
    slate.setColorAt(0, kSlateTop);
    slate.setColorAt(1, kSlateBottom);
    p.fillRect(area, slate);
    QRadialGradient sheen(area.topLeft() + QPointF(area.width() * 0.25, 0), area.width() * 0.7);
    sheen.setColorAt(0, QColor(255, 255, 255, 18));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(area, sheen);
}

// A raised white field: light upper-left rim, darker lower-right rim, white face.
void DrawBevelledField(QPainter& p, const QRectF& face, double bevel) {
    const QRectF outer = face.adjusted(-bevel, -bevel, bevel, bevel);
    for (int i = 4; i >= 1; --i) {  // a soft drop shadow under the field
        QPainterPath shadow;
        shadow.addRoundedRect(outer.adjusted(-i, -i + 2, i, i + 2), 4 + i, 4 + i);
        p.fillPath(shadow, QColor(0, 0, 0, 22));
    }
    QPainterPath rim;
    rim.addRoundedRect(outer, 4, 4);
    QLinearGradient light(outer.topLeft(), outer.bottomRight());
    light.setColorAt(0, kFieldWhite);
    light.setColorAt(0.5, kFieldLight);
    light.setColorAt(1, kFieldDark);
    p.fillPath(rim, light);
    p.fillRect(face, kFieldWhite);
    p.setPen(QPen(QColor(0, 0, 0, 60), 1));
    p.drawRect(face.adjusted(-0.5, -0.5, 0.5, 0.5));
}

void DrawWordmark(QPainter& p) {
    QFont font = Font(13, true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    p.setFont(font);
    p.setPen(kText);
    const QRectF line(40, 10, 300, 20);
    p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, "ORVIK");
    const double orvikWidth = QFontMetricsF(font).horizontalAdvance("ORVIK ");
    p.setPen(kAccent);
    p.drawText(line.translated(orvikWidth, 0), Qt::AlignLeft | Qt::AlignVCenter, "VIEW");
    // A small round lamp at the right, the window's only ornament.
    QRadialGradient lamp(QPointF(672, 20), 5);
    lamp.setColorAt(0, kAccentBright);
    lamp.setColorAt(0.6, kAccent);
    lamp.setColorAt(1, QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 0));
    p.setPen(Qt::NoPen);
    p.setBrush(lamp);
    p.drawEllipse(QPointF(672, 20), 5, 5);
}

// The row of the two sliders: a recessed strip, and the word Speed before the speed slider.
void DrawSliderRow(QPainter& p) {
    const QRectF position = MainRect(ControlId::PositionSlider),
                 speed = MainRect(ControlId::SpeedSlider), speedBox = MainRect(ControlId::SpeedBox);
    const QRectF strip(position.left() - 8, position.top() - 5,
                       speedBox.right() - position.left() + 16, position.height() + 9);
    QPainterPath path;
    path.addRoundedRect(strip, 6, 6);
    p.fillPath(path, kPanel);
    p.setPen(QPen(kSlateShadow, 1));
    p.drawPath(path);
    p.setPen(QPen(QColor(255, 255, 255, 20), 1));
    p.drawLine(strip.bottomLeft() + QPointF(6, 1), strip.bottomRight() + QPointF(-6, 1));
    p.setFont(Font(13, true));
    p.setPen(kText);
    const QRectF label(MainRect(ControlId::PositionBox).right() + 4, speed.top(),
                       speed.left() - MainRect(ControlId::PositionBox).right() - 10,
                       speed.height());
    p.drawText(label, Qt::AlignRight | Qt::AlignVCenter, "Speed");
}

// The black band behind the buttons, with small captions over the date and time boxes.
void DrawButtonBand(QPainter& p) {
    const double top = MainRect(ControlId::Play).top() - 2;
    const QRectF band(0, top, kClientWidth, kClientHeight - top);
    QLinearGradient black(band.topLeft(), band.bottomLeft());
    black.setColorAt(0, kBand.lighter(130));
    black.setColorAt(0.15, kBand);
    black.setColorAt(1, kBand);
    p.fillRect(band, black);
    p.setPen(QPen(kBandEdge, 1));
    p.drawLine(QPointF(0, top + 0.5), QPointF(kClientWidth, top + 0.5));
    p.setFont(Font(10, true));
    p.setPen(kTextMuted);
    for (const auto& [id, caption] :
         {std::pair{ControlId::DateBox, "DATE"}, std::pair{ControlId::TimeBox, "TIME"}}) {
        const QRectF box = MainRect(id);
        p.drawText(QRectF(box.left() + 2, top + 3, box.width(), box.top() - top - 4),
                   Qt::AlignLeft | Qt::AlignVCenter, caption);
    }
}

// The icon in its own 32 x 32 units: a rounded slate tile with a ring and a play mark.
// The window icon and the desktop icons are both painted from it.
constexpr int kIconUnits = 32;

void PaintIcon(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath tile;
    tile.addRoundedRect(QRectF(1, 1, 30, 30), 7, 7);
    QLinearGradient slate(0, 0, 0, 32);
    slate.setColorAt(0, kKeyTop);
    slate.setColorAt(1, kSlateBottom);
    p.fillPath(tile, slate);
    p.setPen(QPen(kAccent, 2.2));
    p.drawEllipse(QPointF(16, 16), 10, 10);
    QPainterPath play;
    play.moveTo(13, 10.5);
    play.lineTo(22, 16);
    play.lineTo(13, 21.5);
    play.closeSubpath();
    p.fillPath(play, kAccentBright);
}

// The main window's skin, in the client area's units.
void PaintSkin(QPainter& p) {
    const QRectF client(0, 0, kClientWidth, kClientHeight);
    FillSlate(p, client);
    p.setPen(QPen(kSlateEdge, 1));
    p.drawRect(client.adjusted(0.5, 0.5, -0.5, -0.5));
    DrawWordmark(p);
    DrawBevelledField(p, MainRect(ControlId::PictureFrame), 6);
    DrawSliderRow(p);
    DrawButtonBand(p);
}

// The colour settings window's background, in its client area's units.
void PaintColourBackground(QPainter& p) {
    FillSlate(p, QRectF(0, 0, kColourClientWidth, kColourClientHeight));
    p.setFont(Font(12, true));
    p.setPen(kText);
    const ControlId sliders[] = {ControlId::BrightnessSlider, ControlId::ContrastSlider,
                                 ControlId::HueSlider, ControlId::SaturationSlider};
    const char* labels[] = {"Brightness", "Contrast", "Hue", "Saturation"};
    for (int i = 0; i < 4; ++i) {
        const QRectF slider = ColourRect(sliders[i]);
        const QRectF label(14, slider.top(), ColourRect(ControlId::BrightnessSlider).left() - 20,
                           slider.height());
        p.drawText(label, Qt::AlignRight | Qt::AlignVCenter, labels[i]);
    }
    p.setFont(Font(10, false));
    p.setPen(kTextMuted);
    const QRectF ok = ColourRect(ControlId::Ok);
    p.drawText(QRectF(16, ok.top(), ok.left() - 24, ok.height()), Qt::AlignLeft | Qt::AlignVCenter,
               "Changes apply as you move the sliders");
}

// A width x height panel, painted by paint in the units of a client area of units: the
// dialog's layout is in those units, the bitmap in pixels.
QImage PaintedPanel(int width, int height, QSizeF units, void (*paint)(QPainter&)) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(width / units.width(), height / units.height());
    paint(p);
    return image;
}

}  // namespace

QImage DrawSkin() {
    return PaintedPanel(kSkinWidth, kSkinHeight, QSizeF(kClientWidth, kClientHeight), PaintSkin);
}

QImage DrawColourBackground() {
    return PaintedPanel(kColourWidth, kColourHeight,
                        QSizeF(kColourClientWidth, kColourClientHeight), PaintColourBackground);
}

QImage DrawIcon() {
    QImage image(kIconUnits, kIconUnits, QImage::Format_RGB32);
    image.fill(kSlateBottom);
    QPainter p(&image);
    PaintIcon(p);
    return image;
}

QImage DrawDesktopIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(size / double(kIconUnits), size / double(kIconUnits));
    PaintIcon(p);
    return image;
}

}  // namespace orvik::artwork
