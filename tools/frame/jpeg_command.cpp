// orvik-frame jpeg: each frame rewrapped as a standard JPEG file, its coded data untouched,
// with its capture time from its folder and file names in an Exif segment.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "jpeg/frame_jpeg.h"
#include "library/frame_reader.h"
#include "tools/frame/commands.h"
#include "tools/frame/decoding_setup.h"
#include "tools/frame/output_files.h"

namespace orvik {

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
    const bool allWritten = WriteEachFrame(
        options.inputs, targets, JobsToUse(options),
        [] { return std::make_unique<FrameReader>(std::nullopt, PictureAdjustments{}); },
        DecodeDepth::kPlanes, "jpg",
        [](const std::string& frame, const FrameReader& reader) {
            const std::optional<CaptureTime> time = CaptureTimeOfPath(frame);
            return FrameOutput{FrameAsJpeg(reader.FileBytes(), time),
                               time ? "" : "no capture time in its names; written without"};
        });
    return allWritten ? kExitAllWell : kExitRefused;
}

}  // namespace orvik
