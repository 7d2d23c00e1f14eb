// orvik-frame jpeg: each frame rewrapped as a standard JPEG file, its coded data untouched,
// with its capture time from its folder and file names in an Exif segment.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "decoder/frame_format.h"
#include "tools/frame/capture_time.h"
#include "tools/frame/commands.h"
#include "tools/frame/exif_segment.h"
#include "tools/frame/frame_reader.h"
#include "tools/frame/output_files.h"
#include "tools/framewriter/frame_writer.h"

namespace orvik {
namespace {

constexpr std::uint8_t kMarker = 0xFF;
constexpr std::uint8_t kStuffing = 0x00;
constexpr std::uint8_t kEndOfImage = 0xD9;

// The frame up to its end marker: bytes after it, which the viewer ignores, are not
// carried into the JPEG. In the coded data every 0xFF data byte is followed by 0x00, so
// the first 0xFF 0xD9 outside such a pair is the marker.
std::size_t FrameEnd(std::span<const std::uint8_t> frame) {
    for (std::size_t at = kFrameHeaderSize; at + 1 < frame.size(); ++at) {
        if (frame[at] != kMarker) {
            continue;
        }
        if (frame[at + 1] == kEndOfImage) {
            return at + 2;
        }
        if (frame[at + 1] == kStuffing) {
            ++at;
        }
    }
    return frame.size();
}

// The capture time from the names of the frame's folder and file, as the recorder
// writes them.
std::optional<CaptureTime> CaptureTimeOfPath(const std::string& framePath) {
    std::error_code error;
    const std::filesystem::path path =
        std::filesystem::absolute(framePath, error).lexically_normal();
    return CaptureTimeOfFrame(path.parent_path().filename().string(), path.filename().string());
}

}  // namespace

int RunJpeg(const Options& options) {
    OutputTargets targets(options.output, options.inputs.size());
    if (const std::string usageError = targets.UsageError(); !usageError.empty()) {
        std::fprintf(stderr, "orvik-frame: %s\n", usageError.c_str());
        return kExitUsage;
    }
    if (!targets.Prepare()) {
        return kExitRefused;
    }

    // Only frames that the viewer would show are rewrapped: the end test needs the planes.
    FrameReader reader(std::nullopt, PictureAdjustments{});
    const bool allWritten = WriteEachFrame(
        options.inputs, targets, reader, DecodeDepth::kPlanes, "jpg",
        [&](const std::string& frame) {
            const std::span<const std::uint8_t> bytes = reader.FileBytes();
            std::vector<std::uint8_t> jpeg = RewrapAsJpeg(bytes.data(), FrameEnd(bytes));
            if (const std::optional<CaptureTime> time = CaptureTimeOfPath(frame)) {
                InsertAfterStartOfImage(jpeg, ExifSegment(*time));
            } else {
                std::fprintf(stderr,
                             "orvik-frame: %s: no capture time in its names; written without\n",
                             frame.c_str());
            }
            return jpeg;
        });
    return allWritten ? kExitAllWell : kExitRefused;
}

}  // namespace orvik
