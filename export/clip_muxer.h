// Writing one clip file, one stage a call, as FFmpeg's muxing examples do: open the
// output, add the stream, write the header, write packets, finish. Every packet waits for
// the next one, whose time gives it its duration; the last takes the one before it.
#pragma once

#include <cstdint>
#include <string>

#include "export/ffmpeg_support.h"

namespace orvik {

class ClipMuxer {
  public:
    ClipMuxer();
    // Closes the file when it is still open (what was written stays: the caller's
    // temporary file goes with it).
    ~ClipMuxer();
    ClipMuxer(const ClipMuxer&) = delete;
    ClipMuxer& operator=(const ClipMuxer&) = delete;

    Status Open(const AVOutputFormat* container, const std::string& path);
    // The clip's one video stream; packets come with times in timeBase.
    Status AddStream(const AVCodecParameters& parameters, AVRational timeBase);
    Status WriteHeader();
    // Takes the packet's data (packet is left blank).
    Status WritePacket(AVPacket& packet);
    Status Finish();

  private:
    Status WriteHeld(std::int64_t duration);

    AVFormatContext* context_ = nullptr;
    AVStream* stream_ = nullptr;
    AVRational timeBase_{1, 1000};
    AvPacketPtr held_;
    bool holding_ = false;
    std::int64_t lastDuration_ = 0;
};

}  // namespace orvik
