// Writing one clip file, one stage a call, as FFmpeg's muxing examples do: open the
// output, add the stream, write the header, write packets, finish.
//
// A packet's duration is the time its frame shows: from the frame's time to the next
// frame's, and for the last frame the clip's pace there, so that the container's length
// (an MP4's edit list, Matroska's duration) ends where the last frame ends. The muxer is
// told each frame's time as the frame is written and holds a packet until the frame after
// its own has come. A packet finds its duration by its own time, not by the order packets
// come in, which an encoder may choose (decoding order) and delay. A container that keeps
// no durations but counts ticks (AVI) gets an empty packet where the last frame ends.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>

#include "export/ffmpeg_support.h"

namespace orvik {

class ClipMuxer {
  public:
    Status Open(const AVOutputFormat* container, const std::string& path);
    // The clip's one video stream; packets come with times in timeBase.
    Status AddStream(const AVCodecParameters& parameters, AVRational timeBase);
    Status WriteHeader();
    // The clip's next frame comes at ticks, later than the frame before it, which shows
    // until then.
    Status FrameAt(std::int64_t ticks);
    // Takes the packet's data (packet is left blank); it is written once the time its
    // frame shows is known.
    Status WritePacket(AVPacket& packet);
    // The last frame shows for lastPace ticks; then what waits, the trailer, and the file
    // is closed.
    Status Finish(std::int64_t lastPace);

  private:
    Status WriteReady();
    Status WriteEnd(std::int64_t lastPace);

    AvOutputContextPtr context_;
    AVStream* stream_ = nullptr;
    AVRational timeBase_{1, 1000};
    std::deque<AvPacketPtr> waiting_;                 // in the order they came
    std::map<std::int64_t, std::int64_t> showTimes_;  // frame time: ticks shown
    std::optional<std::int64_t> lastFrame_;
};

}  // namespace orvik
