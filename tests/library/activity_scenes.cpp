#include "tests/library/activity_scenes.h"

#include <algorithm>
#include <random>

#include "library/capture_time.h"
#include "testing/framewriter/frame_writer.h"
#include "testing/recording/recording_writer.h"

namespace orvik::test {
namespace {

constexpr int kSceneQuality = 75;
constexpr std::int32_t kFirstTimeKey = 9 * 360000;  // 09:00:00.00

std::uint8_t Clamp(int level) {
    return static_cast<std::uint8_t>(std::clamp(level, 0, 255));
}

}  // namespace

GreyPicture StillScene(int width, int height) {
    GreyPicture p{width, height,
                  std::vector<std::uint8_t>(static_cast<std::size_t>(width * height))};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int wave = (x * 7 + y * 3) % 90;
            const int edge = ((x / 80 + y / 60) % 2) * 40;
            p.levels[static_cast<std::size_t>(y * width + x)] = Clamp(60 + wave + edge);
        }
    }
    return p;
}

void AddNoise(GreyPicture& picture, std::uint32_t seed, int amplitude) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> noise(-amplitude, amplitude);
    for (std::uint8_t& level : picture.levels) {
        level = Clamp(level + noise(random));
    }
}

void AddLevels(GreyPicture& picture, int delta) {
    for (std::uint8_t& level : picture.levels) {
        level = Clamp(level + delta);
    }
}

void DrawBox(GreyPicture& picture, int x, int y, int width, int height, int delta) {
    for (int row = std::max(0, y); row < std::min(picture.height, y + height); ++row) {
        for (int column = std::max(0, x); column < std::min(picture.width, x + width); ++column) {
            std::uint8_t& level =
                picture.levels[static_cast<std::size_t>(row * picture.width + column)];
            level = Clamp(level + delta);
        }
    }
}

std::vector<RecordedFrame> WriteScene(const TempTree& tree, int frames,
                                      const std::function<GreyPicture(int i)>& picture,
                                      const std::string& folder) {
    std::vector<RecordedFrame> written;
    const std::int32_t dateKey = std::stoi(folder.substr(0, 8));
    for (int i = 0; i < frames; ++i) {
        const GreyPicture grey = picture(i);
        std::vector<std::uint8_t> rgb;
        rgb.reserve(grey.levels.size() * 3);
        for (const std::uint8_t level : grey.levels) {
            rgb.insert(rgb.end(), {level, level, level});
        }
        const std::int32_t timeKey = kFirstTimeKey + i * 100 / kSceneRate;
        const std::string name = folder + "/" + RecordingFrameName("CAM1", timeKey);
        tree.WriteFile(name, EncodeFrame(rgb.data(), grey.width, grey.height, kSceneQuality));
        written.push_back({tree.Path(name), MomentOf(dateKey, timeKey), true});
    }
    return written;
}

}  // namespace orvik::test
