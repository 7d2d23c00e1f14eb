// The container a clip is written in and the codec it carries: the container is the one
// the output's extension names (Matroska when it names none); the codec is H.264 for .mp4
// and the frames' own coded data (MJPEG) for everything else, unless one is asked for.
//
// A clip is written only in the containers whose clips the export's tests read back, with
// both codecs, across pauses and folders: Matroska, MP4, QuickTime and AVI. Each keeps
// every frame at its time and ends the clip where its last frame ends. AVI keeps no times,
// only one chunk a tick of its time base, empty ones through a pause; as libavformat
// writes at most 60,000 empty chunks in a row, an AVI clip holds no pause of more than
// 10 minutes.
#pragma once

#include <cstdint>
#include <string>

#include "platform/status.h"

struct AVOutputFormat;

namespace orvik {

enum class ClipCodec { kCopy, kH264 };

ClipCodec DefaultCodecFor(const std::string& outputPath);

// Whether the container of outputPath is one a clip is written in and can hold a clip of
// that codec, and why not.
Status ContainerCanHold(const std::string& outputPath, ClipCodec codec);

// Whether the container can hold a pause of that many ticks between two frames, and why
// not (naming the containers that can).
Status ContainerCanPause(const AVOutputFormat* container, std::int64_t ticks);

const AVOutputFormat* ContainerFor(const std::string& outputPath);

// The stream's time base, 1 / this: milliseconds, Matroska's own unit; hundredths (the
// capture times' unit) for AVI.
int TicksPerSecondFor(const AVOutputFormat* container);

// Whether the container lays the clip out one chunk a tick (AVI): its length is the
// number of chunks, so an empty one marks where the last frame ends.
bool ContainerCountsTicks(const AVOutputFormat* container);

}  // namespace orvik
