// Y/U/V planes made on the fly for the conversion tests and benchmarks: uniform, random,
// or filled by a function of the pixel position.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "colour/convert_planes.h"

namespace orvik {

struct TestPlanes {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> y, u, v;

    TestPlanes(int w, int h)
        : width(w),
          height(h),
          y(static_cast<std::size_t>(w) * h),
          u(static_cast<std::size_t>(w / 2) * h),
          v(static_cast<std::size_t>(w / 2) * h) {}

    PlanesView View() const {
        return {y.data(), u.data(), v.data(), width, height, width, width / 2};
    }

    std::uint8_t& Y(int x, int row) { return y[static_cast<std::size_t>(row) * width + x]; }
    std::uint8_t& U(int pair, int row) {
        return u[static_cast<std::size_t>(row) * (width / 2) + pair];
    }
    std::uint8_t& V(int pair, int row) {
        return v[static_cast<std::size_t>(row) * (width / 2) + pair];
    }
};

inline TestPlanes UniformPlanes(int w, int h, std::uint8_t y, std::uint8_t u, std::uint8_t v) {
    TestPlanes p(w, h);
    p.y.assign(p.y.size(), y);
    p.u.assign(p.u.size(), u);
    p.v.assign(p.v.size(), v);
    return p;
}

inline TestPlanes RandomPlanes(int w, int h, std::uint32_t seed) {
    TestPlanes p(w, h);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    for (auto* plane : {&p.y, &p.u, &p.v}) {
        for (auto& sample : *plane)
            sample = static_cast<std::uint8_t>(byte(random));
    }
    return p;
}

}  // namespace orvik
