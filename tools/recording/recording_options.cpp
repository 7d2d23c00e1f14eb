#include "tools/recording/recording_options.h"

#include <charconv>
#include <cstring>
#include <string_view>

#include "decoder/frame_format.h"
#include "tools/recording/recording_clock.h"

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
    "usage: orvik-mkrec [--output DIR] [--folders N] [--start YYMMDDHH] [--seconds S]\n"
    "                   [--rate R] [--width W] [--height H] [--gap EVERY:LENGTH]\n"
    "                   [--suffix TEXT] [--prefix XXXX] [--quality Q]\n"
    "Writes N date folders, one an hour from --start, each spanning S seconds of frames at\n"
    "R frames a second (W a multiple of 16 up to 1280, H of 8 up to 1024); --gap leaves out\n"
    "LENGTH seconds after every EVERY seconds recorded.\n";

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
