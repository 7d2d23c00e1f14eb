// The container a clip is written in and the codec it carries: the container is the one
// the output's extension names (Matroska when it names none); the codec is H.264 for .mp4
// and the frames' own coded data (MJPEG) for everything else, unless one is asked for.
#pragma once

#include <string>

#include "platform/status.h"

struct AVOutputFormat;

namespace orvik {

enum class ClipCodec { kCopy, kH264 };

ClipCodec DefaultCodecFor(const std::string& outputPath);

// Whether the container of outputPath can hold a clip of that codec, and why not.
Status ContainerCanHold(const std::string& outputPath, ClipCodec codec);

const AVOutputFormat* ContainerFor(const std::string& outputPath);

// The stream's time base, 1 / this: milliseconds, Matroska's own unit; hundredths (the
// capture times' unit) for AVI, which stores one chunk a tick, empty ones through a gap.
int TicksPerSecondFor(const AVOutputFormat* container);

}  // namespace orvik
