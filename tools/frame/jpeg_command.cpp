// orvik-frame jpeg: each frame rewrapped as a standard JPEG file, its coded data untouched,
// with its capture time from its folder and file names in an Exif segment.
#include <cstdio>
#include <string>
#include <vector>

#include "export/frame_jpeg.h"
#include "library/frame_reader.h"
#include "tools/frame/commands.h"
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
    FrameReader reader(std::nullopt, PictureAdjustments{});
    const bool allWritten = WriteEachFrame(
        options.inputs, targets, reader, DecodeDepth::kPlanes, "jpg",
        [&](const std::string& frame) {
            const std::optional<CaptureTime> time = CaptureTimeOfPath(frame);
            if (!time) {
                std::fprintf(stderr,
                             "orvik-frame: %s: no capture time in its names; written without\n",
                             frame.c_str());
            }
            return FrameAsJpeg(reader.FileBytes(), time);
        });
    return allWritten ? kExitAllWell : kExitRefused;
}

}  // namespace orvik
