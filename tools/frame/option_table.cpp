#include "tools/frame/option_table.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <optional>

namespace orvik {
namespace {

constexpr std::array<CommandRule, 7> kCommands = {{
    {"info", Command::kInfo, false, "PATH", "FRAME...",
     "one line per FRAME file: size, picture size, the first entry of each\n"
     "quantisation table, and ok or refused: REASON"},
    {"list", Command::kList, true, "PATH", "[OPTION]... PATH",
     "the date folders of the recording at PATH (a root or a date folder) in\n"
     "the viewer's order: name, date, first and last frame time, frame count\n"
     "and the gaps longer than 10 s; * marks the folder the viewer shows first"},
    {"check", Command::kCheck, false, "PATH", "[OPTION]... PATH...",
     "decodes every frame of each PATH (a frame file, a date folder for its\n"
     "frames alone, or a root; of a folder only the frames captured from\n"
     "--from to --to) and prints the refused ones, then the counts, the time\n"
     "of the whole run and the speed of the decoding"},
    {"decode", Command::kDecode, false, "FRAME", "[OPTION]... -o OUT FRAME...",
     "writes each FRAME as a picture: png, bmp or ppm as the viewer shows it,\n"
     "upright; bgr as the decoder writes its picture buffer (bottom row\n"
     "first); yuv the Y, U and V planes"},
    {"jpeg", Command::kJpeg, false, "FRAME", "[--jobs N] -o OUT FRAME...",
     "rewraps each FRAME losslessly as a standard JPEG file carrying its\n"
     "capture time"},
    {"export", Command::kExport, true, "PATH", "[OPTION]... -o OUT PATH",
     "writes the frames of the recording at PATH (a root, or a date folder\n"
     "for its frames alone) captured from --from to --to as one clip in which\n"
     "each frame comes at its capture time: copy carries each frame's coded\n"
     "data unchanged as MJPEG, h264 encodes the pictures as decode shows them;\n"
     "the container is the one OUT's extension names (Matroska when none)"},
    {"activity", Command::kActivity, true, "PATH", "[OPTION]... PATH",
     "the events of the recording at PATH (a root, or a date folder for its\n"
     "frames alone) captured from --from to --to, in capture-time order, one\n"
     "a line: START, END (the first and last active frame), FRAMES and PEAK\n"
     "(the largest share of the picture changed, in percent), tab-separated;\n"
     "each folder's activity is kept in the user's cache folder and used\n"
     "again while the folder is unchanged"},
}};

// The most threads --jobs asks for: far more than any processor count in use.
constexpr int kMaxJobs = 256;
// A speed beyond this makes a day's recording shorter than a second.
constexpr int kMaxSpeed = 100000;
constexpr int kMaxCrf = 51;

Status Refused(std::string why) {
    return Status::Failure(std::move(why));
}

Status TakeOutput(std::string_view, const std::string& value, Options& options) {
    options.output = value;
    return value.empty() ? Refused("option -o needs a value") : Status();
}

Status TakeFormat(std::string_view, const std::string& value, Options& options) {
    if (options.command == Command::kList || options.command == Command::kCheck ||
        options.command == Command::kActivity) {
        options.jsonLines = value == "json";
        return value == "json" || value == "text"
                   ? Status()
                   : Refused("unknown format " + value + " (text or json)");
    }
    options.format = FormatNamed(value);
    return options.format ? Status()
                          : Refused("unknown format " + value + " (png, bmp, ppm, bgr or yuv)");
}

// "B,C,H,S": four signed 32-bit decimal numbers.
std::optional<PictureAdjustments> ParseAdjustments(std::string_view text) {
    std::int32_t values[4] = {};
    const char* at = text.data();
    const char* end = text.data() + text.size();
    for (int i = 0; i < 4; ++i) {
        const auto [next, error] = std::from_chars(at, end, values[i]);
        if (error != std::errc() || (i < 3 && (next == end || *next != ','))) {
            return std::nullopt;
        }
        at = i < 3 ? next + 1 : next;
    }
    if (at != end) {
        return std::nullopt;
    }
    return PictureAdjustments{values[0], values[1], values[2], values[3]};
}

Status TakeAdjustments(std::string_view, const std::string& value, Options& options) {
    options.adjustments = ParseAdjustments(value);
    return options.adjustments ? Status()
                               : Refused("--adjust takes four whole numbers B,C,H,S, not " + value);
}

Status TakeVariant(std::string_view, const std::string& value, Options& options) {
    for (const DecoderVariant variant : kDecoderVariants) {
        if (value == VariantName(variant)) {
            options.variant = variant;
            return Status();
        }
    }
    return Refused("--variant takes packed or scalar, not " + value);
}

// A typed capture time; without hundredths, those given.
Status TakeCaptureTime(std::string_view name, const std::string& value, int defaultHundredths,
                       std::optional<CaptureTime>& into) {
    into = ParseCaptureTime(value, defaultHundredths);
    return into ? Status()
                : Refused(std::string(name) +
                          " takes a date and time \"YYYY/MM/DD HH:MM:SS[.CC]\", not " + value);
}

// --from takes a whole second from its start, --to to its end.
Status TakeFrom(std::string_view name, const std::string& value, Options& options) {
    return TakeCaptureTime(name, value, 0, options.from);
}

Status TakeTo(std::string_view name, const std::string& value, Options& options) {
    return TakeCaptureTime(name, value, 99, options.to);
}

Status TakeCodec(std::string_view, const std::string& value, Options& options) {
    if (value != "copy" && value != "h264") {
        return Refused("--codec takes copy or h264, not " + value);
    }
    options.codec = value;
    return Status();
}

// A decimal whole number within kMin..kMax, into the field.
template <auto kField, int kMin, int kMax>
Status TakeWholeNumber(std::string_view name, const std::string& value, Options& options) {
    int number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || end != value.data() + value.size() || number < kMin ||
        number > kMax) {
        return Refused(std::string(name) + " takes a whole number from " + std::to_string(kMin) +
                       " to " + std::to_string(kMax) + ", not " + value);
    }
    options.*kField = number;
    return Status();
}

// "P" or "P.D" or "P.DD": a share in percent, 0 to 100, kept in hundredths.
Status TakeThreshold(std::string_view name, const std::string& value, Options& options) {
    const std::size_t point = value.find('.');
    const std::string whole = value.substr(0, point);
    const std::string places = point == std::string::npos ? "" : value.substr(point + 1);
    int percent = 0;
    int hundredths = 0;
    const auto [end, error] = std::from_chars(whole.data(), whole.data() + whole.size(), percent);
    bool good = !whole.empty() && error == std::errc() && end == whole.data() + whole.size() &&
                places.size() <= 2 && (point == std::string::npos || !places.empty());
    for (std::size_t i = 0; good && i < places.size(); ++i) {
        good = places[i] >= '0' && places[i] <= '9';
        hundredths += (places[i] - '0') * (i == 0 ? 10 : 1);
    }
    const int share = percent * 100 + hundredths;
    if (!good || percent < 0 || share > kAllBlocksChanged) {
        return Refused(std::string(name) + " takes a share in percent from 0 to 100 with at most " +
                       "two places, not " + value);
    }
    options.threshold = static_cast<Activity>(share);
    return Status();
}

// "X,Y,W,H": a rectangle of the picture in pixels, its width and height not 0.
Status TakeRegion(std::string_view name, const std::string& value, Options& options) {
    int numbers[4] = {};
    const char* at = value.data();
    const char* end = value.data() + value.size();
    for (int i = 0; i < 4; ++i) {
        const auto [next, error] = std::from_chars(at, end, numbers[i]);
        if (error != std::errc() || numbers[i] < 0 || (i < 3 && (next == end || *next != ','))) {
            at = nullptr;
            break;
        }
        at = i < 3 ? next + 1 : next;
    }
    if (at != end || numbers[2] == 0 || numbers[3] == 0) {
        return Refused(std::string(name) + " takes X,Y,W,H in picture pixels, not " + value);
    }
    options.region = PixelRegion{numbers[0], numbers[1], numbers[2], numbers[3]};
    return Status();
}

Status TakeCloseGaps(std::string_view, const std::string&, Options& options) {
    options.closeGaps = true;
    return Status();
}

constexpr CommandSet kDecoding = In(Command::kCheck) | In(Command::kDecode);
constexpr CommandSet kExport = In(Command::kExport);
constexpr CommandSet kActivity = In(Command::kActivity);
constexpr CommandSet kRanged = In(Command::kCheck) | kExport | kActivity;

constexpr std::array<OptionRule, 13> kOptions = {{
    {"-o", "OUT", In(Command::kDecode) | In(Command::kJpeg) | kExport, TakeOutput,
     "with one FRAME the output file (\"-\" for standard\n"
     "output); with several a folder, each output named\n"
     "after its frame (decode, jpeg); the clip (export)"},
    {"--format", "FORMAT",
     In(Command::kDecode) | In(Command::kList) | In(Command::kCheck) | kActivity, TakeFormat,
     "png, bmp, ppm, bgr or yuv; by default from OUT's\n"
     "extension (decode); text, the default, or json:\n"
     "one JSON object a line (list, check, activity)"},
    {"--adjust", "B,C,H,S", kDecoding | kExport, TakeAdjustments,
     "brightness, contrast, hue and saturation; by default\n"
     "the stored colour settings (check, decode, export)"},
    {"--variant", "packed|scalar", kDecoding, TakeVariant,
     "the decoder's variant; by default the processor's\n"
     "choice (check, decode)"},
    {"--from", "\"YYYY/MM/DD HH:MM:SS[.CC]\"", kRanged, TakeFrom,
     "the first capture time taken, included; by default\n"
     "the recording's first frame (check, export, activity)"},
    {"--to", "\"YYYY/MM/DD HH:MM:SS[.CC]\"", kRanged, TakeTo,
     "the last capture time taken, included (without .CC\n"
     "the whole second); by default the last frame\n"
     "(check, export, activity)"},
    {"--codec", "copy|h264", kExport, TakeCodec, "copy by default, h264 for .mp4 (export)"},
    {"--crf", "N", kExport, TakeWholeNumber<&Options::crf, 0, kMaxCrf>,
     "h264's quality, 0 to 51, default 23 (export)"},
    {"--speed", "N", kExport, TakeWholeNumber<&Options::speed, 1, kMaxSpeed>,
     "makes the clip N times faster (export)"},
    {"--close-gaps", nullptr, kExport, TakeCloseGaps,
     "shortens pauses longer than 2 s to the recording's\n"
     "pace (export)"},
    {"--threshold", "P", kActivity, TakeThreshold,
     "a frame is active when more than P percent of its\n"
     "picture changed; default 0.5 (activity)"},
    {"--region", "X,Y,W,H", kActivity, TakeRegion,
     "measures the change within this rectangle of the\n"
     "picture alone, in pixels (activity)"},
    {"--jobs", "N", kDecoding | In(Command::kJpeg) | kExport | kActivity,
     TakeWholeNumber<&Options::jobs, 1, kMaxJobs>,
     "decodes on N threads, different frames on different\n"
     "threads; by default one for each processor; what\n"
     "is printed and written is the same for every N\n"
     "(check, decode, jpeg, export, activity)"},
}};

}  // namespace

std::span<const CommandRule> CommandRules() {
    return kCommands;
}

std::span<const OptionRule> OptionRules() {
    return kOptions;
}

const CommandRule* CommandNamed(std::string_view name) {
    const auto found = std::find_if(kCommands.begin(), kCommands.end(),
                                    [name](const CommandRule& rule) { return name == rule.name; });
    return found != kCommands.end() ? &*found : nullptr;
}

const OptionRule* OptionNamed(std::string_view name) {
    const auto found = std::find_if(kOptions.begin(), kOptions.end(),
                                    [name](const OptionRule& rule) { return name == rule.name; });
    return found != kOptions.end() ? &*found : nullptr;
}

}  // namespace orvik
