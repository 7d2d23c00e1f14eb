#include "testing/recording/recording_picture.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "library/time_of_day.h"

namespace orvik {
namespace {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;

// 5 x 7 glyphs, one byte a row, the leftmost pixel in bit 4.
struct Glyph {
    char c;
    std::uint8_t rows[kGlyphHeight];
};
constexpr Glyph kFont[] = {
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}},
    {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}},
    {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}},
    {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}},
    {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}},
    {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'/', {0x01, 0x01, 0x02, 0x04, 0x08, 0x10, 0x10}},
    {':', {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x0C, 0x00}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
};

const Glyph* GlyphOf(char c) {
    for (const Glyph& g : kFont) {
        if (g.c == c) {
            return &g;
        }
    }
    return nullptr;  // a blank
}

struct Rgb {
    std::uint8_t r, g, b;
};

class Canvas {
  public:
    Canvas(int width, int height, std::vector<std::uint8_t>& rgb)
        : width_(width), height_(height), rgb_(rgb) {
        rgb_.resize(static_cast<std::size_t>(width) * height * 3);
    }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Fills the rectangle, clipped to the picture.
    void Fill(int x, int y, int w, int h, Rgb colour) {
        const int x0 = std::max(x, 0), x1 = std::min(x + w, width_);
        const int y0 = std::max(y, 0), y1 = std::min(y + h, height_);
        for (int row = y0; row < y1; ++row) {
            for (int col = x0; col < x1; ++col) {
                Put(col, row, colour);
            }
        }
    }
    void Put(int x, int y, Rgb colour) {
        std::uint8_t* p = &rgb_[(static_cast<std::size_t>(y) * width_ + x) * 3];
        p[0] = colour.r;
        p[1] = colour.g;
        p[2] = colour.b;
    }
    // Draws text with glyphs scaled up by scale; returns the width drawn.
    int Text(int x, int y, std::string_view text, int scale, Rgb colour) {
        const int advance = (kGlyphWidth + 1) * scale;
        for (const char c : text) {
            if (const Glyph* g = GlyphOf(c)) {
                for (int row = 0; row < kGlyphHeight; ++row) {
                    for (int col = 0; col < kGlyphWidth; ++col) {
                        if (g->rows[row] & (0x10 >> col)) {
                            Fill(x + col * scale, y + row * scale, scale, scale, colour);
                        }
                    }
                }
            }
            x += advance;
        }
        return advance * static_cast<int>(text.size());
    }

  private:
    int width_, height_;
    std::vector<std::uint8_t>& rgb_;
};

// A sky-to-ground gradient tinted by the folder's hour, so folders look apart.
void DrawBackground(Canvas& canvas, std::int32_t dateKey) {
    const int tint = dateKey % 100 * 4;  // 0..92 over the hours of a day
    for (int y = 0; y < canvas.Height(); ++y) {
        const int shade = y * 160 / canvas.Height();
        const Rgb colour{static_cast<std::uint8_t>(40 + shade / 2 + tint),
                         static_cast<std::uint8_t>(60 + shade / 2),
                         static_cast<std::uint8_t>(200 - shade)};
        canvas.Fill(0, y, canvas.Width(), 1, colour);
    }
}

// A ball crossing the picture every 10 s along a triangle wave, and a bar sweeping every
// second: both follow the capture time only.
void DrawMovingContent(Canvas& canvas, std::int32_t timeKey) {
    const int w = canvas.Width(), h = canvas.Height();
    const int ball = std::max(8, h / 8);
    const int phase = timeKey % 2000;  // hundredths in a 20 s there-and-back
    const int along = phase < 1000 ? phase : 2000 - phase;
    const int bx = along * (w - ball) / 1000;
    const int bounce = along % 500 < 250 ? along % 500 : 500 - along % 500;  // 0..250
    const int by = h / 2 + (bounce - 125) * (h / 4) / 125 - ball / 2;
    canvas.Fill(bx, by, ball, ball, Rgb{240, 200, 30});
    const int barX = timeKey % 100 * w / 100;
    canvas.Fill(barX, h - h / 10, std::max(2, w / 80), h / 10, Rgb{230, 40, 40});
}

void DrawTimeText(Canvas& canvas, std::int32_t dateKey, std::int32_t timeKey) {
    char date[16];
    char time[16];
    std::snprintf(date, sizeof date, "20%02d/%02d/%02d", dateKey / 1000000 % 100,
                  dateKey / 10000 % 100, dateKey / 100 % 100);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d.%02d", timeKey / kHundredthsPerHour % 100,
                  timeKey / kHundredthsPerMinute % 60, timeKey / kHundredthsPerSecond % 60,
                  timeKey % kHundredthsPerSecond);
    const int scale = std::max(1, canvas.Width() / 160);
    const int lineHeight = (kGlyphHeight + 2) * scale;
    const int margin = 2 * scale;
    const int textWidth = 11 * (kGlyphWidth + 1) * scale;
    canvas.Fill(0, 0, textWidth + 2 * margin, 2 * lineHeight + margin, Rgb{0, 0, 0});
    canvas.Text(margin, margin, date, scale, Rgb{255, 255, 255});
    canvas.Text(margin, margin + lineHeight, time, scale, Rgb{255, 255, 255});
}

}  // namespace

void DrawRecordingPicture(std::int32_t dateKey, std::int32_t timeKey, int width, int height,
                          std::vector<std::uint8_t>& rgb) {
    Canvas canvas(width, height, rgb);
    DrawBackground(canvas, dateKey);
    DrawMovingContent(canvas, timeKey);
    DrawTimeText(canvas, dateKey, timeKey);
}

}  // namespace orvik
