// Frames for the benchmarks, made on the fly: photographic-looking test pictures encoded as
// frame files (and the same coded data as a standard JPEG for libjpeg-turbo), and date
// folders of such frame files named as the recorder names them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvik::bench {

struct CodedFrame {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> frame;  // the frame file
    std::vector<std::uint8_t> jpeg;   // its coded data rewrapped as a standard JPEG
};

// The qualities a recording device is usually set to; each figure is taken at both.
inline constexpr int kBenchQualities[] = {75, 90};

CodedFrame MakeCodedFrame(int width, int height, int quality);

// Writes count copies of frame into folderPath (made when missing), the first captured at
// firstTime and each next one interval later (hundredths of a second since midnight).
// Returns the path of the first file.
std::string WriteFrameFolder(const std::string& folderPath, const std::vector<std::uint8_t>& frame,
                             int count, std::int32_t firstTime, std::int32_t interval);

// "640x480/q75": the part of a benchmark's name that says which frame it ran on.
std::string FrameLabel(const CodedFrame& coded, int quality);

}  // namespace orvik::bench
