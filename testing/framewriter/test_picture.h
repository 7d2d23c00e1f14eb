// Photographic-looking test pictures made on the fly: a smooth sky-to-ground gradient,
// soft cloud-like shading, textured areas with fine detail, objects with hard edges and
// sensor grain. Integer arithmetic only, so a seed gives the same picture on every machine.
#pragma once

#include <cstdint>
#include <vector>

namespace orvik {

// width x height pixels, top row first, R, G, B bytes.
std::vector<std::uint8_t> MakeTestPicture(int width, int height, std::uint32_t seed);

}  // namespace orvik
