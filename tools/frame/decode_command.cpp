// orvik-frame decode: frames to pictures (png, bmp, ppm), to the decoder's picture buffer
// (bgr) or to its planes (yuv).
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "library/frame_reader.h"
#include "tools/frame/commands.h"
#include "tools/frame/decoding_setup.h"
#include "tools/frame/output_files.h"
#include "tools/frame/picture_formats.h"

namespace orvik {
namespace {

// --format, or else the extension of an output file.
std::optional<OutputFormat> FormatToWrite(const Options& options, const OutputTargets& targets) {
    if (options.format || targets.IntoFolder()) {
        return options.format;
    }
    const std::string extension = std::filesystem::path(options.output).extension().string();
    return extension.empty() ? std::nullopt : FormatNamed(extension.substr(1));
}

}  // namespace

int RunDecode(const Options& options) {
    OutputTargets targets(options.output, options.inputs.size());
    std::string usageError = targets.UsageError();
    const std::optional<OutputFormat> format = FormatToWrite(options, targets);
    if (usageError.empty() && !format) {
        usageError = "no format: give --format or an OUT ending in .png, .bmp, .ppm, .bgr or .yuv";
    }
    if (!usageError.empty()) {
        std::fprintf(stderr, "orvik-frame: %s\n", usageError.c_str());
        return kExitUsage;
    }
    if (!targets.Prepare()) {
        return kExitRefused;
    }

    const PictureAdjustments adjustments = AdjustmentsToUse(options);
    const bool allWritten = WriteEachFrame(
        options.inputs, targets, JobsToUse(options),
        [&] { return std::make_unique<FrameReader>(options.variant, adjustments); },
        DecodeDepth::kPicture, FormatExtension(*format),
        [&](const std::string&, const FrameReader& reader) {
            FrameOutput output{EncodePicture(*format, reader), {}};
            if (output.bytes.empty()) {
                output.note = "picture cannot be encoded";
            }
            return output;
        });
    return allWritten ? kExitAllWell : kExitRefused;
}

}  // namespace orvik
