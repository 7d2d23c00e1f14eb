// Recordings made on the fly for the activity tests: grey pictures of a textured still
// scene, with noise, a brightness step or an object 40 levels apart from what it covers
// drawn in, encoded as frame files of one date folder, four frames a second.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "library/recorded_frames.h"
#include "testing/support/temp_tree.h"

namespace orvik::test {

inline constexpr int kSceneRate = 4;  // frames a second
inline constexpr int kSceneWidth = 640;
inline constexpr int kSceneHeight = 480;

struct GreyPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> levels;  // row by row
};

// Levels 60..190 in gentle waves and a few hard edges: away from both ends, so that a step
// of 25 levels clips nowhere.
GreyPicture StillScene(int width = kSceneWidth, int height = kSceneHeight);
// Every level moved by up to amplitude either way, the same seed giving the same noise.
void AddNoise(GreyPicture& picture, std::uint32_t seed, int amplitude);
// Every level moved by delta, clamped.
void AddLevels(GreyPicture& picture, int delta);
// The pixels of a box (cut to the picture) moved by delta.
void DrawBox(GreyPicture& picture, int x, int y, int width, int height, int delta);

// Writes frames pictures of folder "24061509" (9 a.m.), the i-th at 09:00:00 plus i quarter
// seconds, each from picture(i), and gives them with their moments in capture order.
std::vector<RecordedFrame> WriteScene(const TempTree& tree, int frames,
                                      const std::function<GreyPicture(int i)>& picture,
                                      const std::string& folder = "24061509");

}  // namespace orvik::test
