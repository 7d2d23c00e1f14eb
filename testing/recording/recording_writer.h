// Writes a generated recording: options.folders date folders named YYMMDDHH + suffix,
// each holding frame files named prefix + HHMMSSCC + ".JPG" (the time as the viewer reads
// it from characters 4-11), each frame encoded with EncodeFrame from its own picture.
#pragma once

#include <cstdint>
#include <string>

#include "testing/recording/recording_options.h"

namespace orvik {

struct RecordingSummary {
    int folders = 0;
    std::int64_t frames = 0;
};

// Folder index's name: the start hour moved on by index hours, then the suffix.
std::string RecordingFolderName(const RecordingOptions& options, int index);

// prefix + HHMMSSCC + ".JPG" for a time of day in hundredths of a second.
std::string RecordingFrameName(const std::string& prefix, std::int32_t timeKey);

// Writes the tree under options.output (made when missing), encoding on every processor.
// False, with a message in error, when a folder or file cannot be written.
bool WriteRecording(const RecordingOptions& options, RecordingSummary& summary, std::string& error);

}  // namespace orvik
