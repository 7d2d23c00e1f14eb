// The command line of orvik-frame: a subcommand, its options and its inputs. Parsing checks
// only what can be told from the words themselves (known options, well-formed values, the
// options each subcommand takes); the inputs are looked at by the subcommands.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "colour/colour_matrix.h"
#include "decoder/decoder_context.h"
#include "library/activity.h"
#include "library/capture_time.h"
#include "platform/status.h"

namespace orvik {

// Exit codes of every subcommand.
inline constexpr int kExitAllWell = 0;
inline constexpr int kExitRefused = 1;  // some input was refused (or an output not written)
inline constexpr int kExitUsage = 2;

enum class Command { kHelp, kVersion, kInfo, kList, kCheck, kDecode, kJpeg, kExport, kActivity };

enum class OutputFormat { kPng, kBmp, kPpm, kBgr, kYuv };

struct Options {
    Command command = Command::kHelp;
    std::vector<std::string> inputs;
    std::string output;                  // -o; "-" is standard output
    std::optional<OutputFormat> format;  // decode's
    bool jsonLines = false;  // list, check and activity: --format json, one JSON object a line
    std::optional<PictureAdjustments> adjustments;  // as given, not yet limited to 0..99
    std::optional<DecoderVariant> variant;          // none: the processor's choice
    // The capture times check, export and activity take.
    std::optional<CaptureTime> from;
    std::optional<CaptureTime> to;  // without hundredths given: the end of that second
    // export's own.
    std::optional<std::string> codec;  // "copy" or "h264"; none: the one OUT's extension calls for
    int crf = 23;
    int speed = 1;
    bool closeGaps = false;
    std::optional<int> jobs;  // none: one for each processor
    // activity's own.
    Activity threshold = kDefaultActivityThreshold;  // hundredths of a percent
    std::optional<PixelRegion> region;
};

// The options of a well-formed command line; else its usage error.
Result<Options> ParseCommandLine(const std::vector<std::string>& arguments);

// Prints a command line's error and the hint to --help on standard error; returns kExitUsage.
int ReportUsageError(const std::string& error);

// A program's main: hands the options of main's arguments to run and returns its exit code,
// or reports the command line's error.
int RunCommandLine(int argc, char** argv, const std::function<int(const Options&)>& run);

// The format named by a file extension or a --format value ("png", "BMP", ...).
std::optional<OutputFormat> FormatNamed(std::string name);
// The extension that outputs of the format carry, without the dot.
const char* FormatExtension(OutputFormat format);

// The text --help prints.
std::string UsageText();

}  // namespace orvik
