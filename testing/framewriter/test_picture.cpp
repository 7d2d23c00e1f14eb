#include "testing/framewriter/test_picture.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>

namespace orvik {
namespace {

// A well-mixed 32-bit hash of a lattice point and the seed.
std::uint32_t Hash(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    std::uint32_t h = seed ^ (static_cast<std::uint32_t>(x) * 0x9E3779B1u) ^
                      (static_cast<std::uint32_t>(y) * 0x85EBCA77u);
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

// Smooth noise in -128..127: lattice values every `cell` pixels, blended bilinearly.
int ValueNoise(int x, int y, int cell, std::uint32_t seed) {
    const int cx = x / cell;
    const int cy = y / cell;
    const int fx = x % cell;
    const int fy = y % cell;
    auto at = [&](int dx, int dy) {
        return static_cast<int>(Hash(cx + dx, cy + dy, seed) & 0xFF) - 128;
    };
    const int top = at(0, 0) * (cell - fx) + at(1, 0) * fx;
    const int bottom = at(0, 1) * (cell - fx) + at(1, 1) * fx;
    return (top * (cell - fy) + bottom * fy) / (cell * cell);
}

struct Shape {
    int cx, cy, radius;
    bool disc;  // else a square
    int r, g, b;
};

}  // namespace

std::vector<std::uint8_t> MakeTestPicture(int width, int height, std::uint32_t seed) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    const int w = std::max(width, 1);
    const int h = std::max(height, 1);

    Shape shapes[6];
    for (int i = 0; i < 6; ++i) {
        const std::uint32_t a = Hash(i, 1, seed);
        const std::uint32_t b = Hash(i, 2, seed);
        shapes[i] = {static_cast<int>(a % static_cast<std::uint32_t>(w)),
                     static_cast<int>((a >> 12) % static_cast<std::uint32_t>(h)),
                     8 + static_cast<int>(b % static_cast<std::uint32_t>(std::max(8, w / 6))),
                     (b >> 20) % 2 == 0,
                     static_cast<int>((b >> 8) & 0xFF),
                     static_cast<int>((b >> 16) & 0xFF),
                     static_cast<int>((b >> 24) & 0xFF)};
    }

    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Gradient: a blue sky at the top to a warm ground at the bottom.
            int r = 60 + 140 * y / h;
            int g = 110 + 60 * x / w - 30 * y / h;
            int b = 210 - 150 * y / h;
            // Clouds and shading: three octaves of smooth noise.
            const int shade = ValueNoise(x, y, 64, seed) / 2 + ValueNoise(x, y, 16, seed + 1) / 5 +
                              ValueNoise(x, y, 4, seed + 2) / 12;
            r += shade;
            g += shade;
            b += shade;
            // Fine texture in the lower third: a woven pattern that moves with the noise.
            if (y > 2 * h / 3) {
                const int weave = ((x * 3 + y * 2 + ValueNoise(x, y, 8, seed + 3) / 8) / 3) % 6;
                r += weave < 3 ? 18 : -18;
                g += weave < 3 ? 12 : -12;
            }
            // Objects with hard edges, flat colour plus their own shading.
            for (const Shape& s : shapes) {
                const int dx = x - s.cx;
                const int dy = y - s.cy;
                const bool inside = s.disc ? dx * dx + dy * dy <= s.radius * s.radius
                                           : std::max(std::abs(dx), std::abs(dy)) <= s.radius;
                if (inside) {
                    r = s.r + shade / 3;
                    g = s.g + shade / 3;
                    b = s.b + shade / 3;
                }
            }
            // Sensor grain.
            const std::uint32_t grain = Hash(x, y, seed + 4);
            r += static_cast<int>(grain & 0x0F) - 8;
            g += static_cast<int>((grain >> 4) & 0x0F) - 8;
            b += static_cast<int>((grain >> 8) & 0x0F) - 8;

            std::uint8_t* pixel = rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3;
            pixel[0] = static_cast<std::uint8_t>(std::clamp(r, 0, 255));
            pixel[1] = static_cast<std::uint8_t>(std::clamp(g, 0, 255));
            pixel[2] = static_cast<std::uint8_t>(std::clamp(b, 0, 255));
        }
    }
    return rgb;
}

}  // namespace orvik
