#include "testing/recording/recording_options.h"

#include <charconv>
#include <cstring>
#include <string_view>

#include "decoder/frame_format.h"
#include "testing/recording/recording_clock.h"

namespace orvik {
namespace {

constexpr int kSecondsPerHour = 3600;

bool ReadInt(std::string_view text, int low, int high, int& out) {
    int value = 0;
    const auto [end, code] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (code != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        return false;
    }
    out = value;
    return true;
}

bool ReadGap(std::string_view text, RecordingOptions& options) {
    const std::size_t colon = text.find(':');
    return colon != std::string_view::npos &&
           ReadInt(text.substr(0, colon), 1, kSecondsPerHour, options.gapEvery) &&
           ReadInt(text.substr(colon + 1), 1, kSecondsPerHour, options.gapSeconds);
}

bool ReadOption(std::string_view name, std::string_view value, RecordingOptions& options) {
    if (name == "--output") {
        options.output = value;
        return !value.empty();
    }
    if (name == "--folders") {
        return ReadInt(value, 1, 65536, options.folders);
    }
    if (name == "--start") {
        int start = 0;
        if (value.size() != 8 || !ReadInt(value, 0, 99123123, start) || !IsDateHour(start)) {
            return false;
        }
        options.start = start;
        return true;
    }
    if (name == "--seconds") {
        return ReadInt(value, 1, kSecondsPerHour, options.seconds);
    }
    if (name == "--rate") {
        return ReadInt(value, 1, 100, options.rate);
    }
    if (name == "--width") {
        return ReadInt(value, 16, kMaxPictureWidth, options.width) && options.width % 16 == 0;
    }
    if (name == "--height") {
        return ReadInt(value, 8, kMaxPictureHeight, options.height) && options.height % 8 == 0;
    }
    if (name == "--gap") {
        return ReadGap(value, options);
    }
    if (name == "--suffix") {
        options.suffix = value;
        return value.find('/') == std::string_view::npos;
    }
    if (name == "--prefix") {
        options.prefix = value;
        return value.size() == 4 && value.find('/') == std::string_view::npos;
    }
    if (name == "--quality") {
        return ReadInt(value, 1, 100, options.quality);
    }
    return false;
}

}  // namespace

const char kRecordingUsage[] =
    "Usage: orvik-mkrec [OPTION VALUE]...\n"
    "Writes a generated recording: date folders, one an hour, of frames whose pictures show\n"
    "their own capture time.\n"
    "\n"
    "Options (defaults in brackets):\n"
    "  --output DIR        the root folder to write [demo-recording]\n"
    "  --folders N         how many date folders, 1 to 65536 [3]\n"
    "  --start YYMMDDHH    the date and hour of the first folder [24061509]\n"
    "  --seconds S         each folder spans S seconds from the top of its hour, up to 3600\n"
    "                      [120]\n"
    "  --rate R            frames a second, 1 to 100 [5]\n"
    "  --width W           picture width, a multiple of 16 up to 1280 [640]\n"
    "  --height H          picture height, a multiple of 8 up to 1024 [480]\n"
    "  --gap EVERY:LENGTH  leave out LENGTH seconds after every EVERY seconds recorded\n"
    "  --suffix TEXT       text after the eight digits of each folder name\n"
    "  --prefix XXXX       the four characters before the time in each frame name [CAM1]\n"
    "  --quality Q         coding quality, 1 to 100 [75]\n"
    "  --help              print this help and end\n"
    "  --version           print the version and end\n";

bool ParseRecordingOptions(int argc, const char* const* argv, RecordingOptions& options,
                           std::string& error) {
    for (int i = 1; i < argc; i += 2) {
        const std::string_view name = argv[i];
        if (i + 1 >= argc) {
            error = "missing value after " + std::string(name);
            return false;
        }
        if (!ReadOption(name, argv[i + 1], options)) {
            error = "bad option or value: " + std::string(name) + " " + argv[i + 1];
            return false;
        }
    }
    return true;
}

}  // namespace orvik
