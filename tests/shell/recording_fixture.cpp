#include "tests/shell/recording_fixture.h"

#include <cstdio>
#include <cstdlib>

#include "testing/framewriter/frame_writer.h"
#include "testing/recording/recording_writer.h"

namespace orvik::test {

namespace {
constexpr int kFrameQuality = 92;
}

std::string FrameFileName(std::int32_t timeKey) {
    return RecordingFrameName("CAM1", timeKey);
}

void WriteFrames(const TempTree& tree, const std::string& folder,
                 const std::vector<FrameAt>& frames) {
    tree.MakeFolder(folder);
    for (const FrameAt& frame : frames) {
        std::vector<std::uint8_t> rgb(std::size_t(frame.width) * frame.height * 3);
        for (std::size_t i = 0; i < rgb.size(); i += 3) {
            const int x = int(i / 3) % frame.width, y = int(i / 3) / frame.width;
            const QColor colour = frame.box.contains(x, y) ? QColor(Qt::white) : frame.colour;
            rgb[i] = std::uint8_t(colour.red());
            rgb[i + 1] = std::uint8_t(colour.green());
            rgb[i + 2] = std::uint8_t(colour.blue());
        }
        tree.WriteFile(folder + "/" + FrameFileName(frame.timeKey),
                       EncodeFrame(rgb.data(), frame.width, frame.height, kFrameQuality));
    }
}

bool NearestIs(QRgb shown, const QColor& wanted, const std::vector<QColor>& frameColours) {
    auto distance = [shown](const QColor& c) {
        const int r = qRed(shown) - c.red(), g = qGreen(shown) - c.green(),
                  b = qBlue(shown) - c.blue();
        return r * r + g * g + b * b;
    };
    for (const QColor& other : frameColours) {
        if (other != wanted && distance(other) <= distance(wanted)) {
            return false;
        }
    }
    return true;
}

}  // namespace orvik::test
