// The two ways a clip's frames become its stream. Workers prepare frames (read, check and
// turn into what the stream takes, each worker with its own decoder state), and the stream
// writes them in order: the copy takes each frame's coded data as a JPEG packet, H.264
// encodes each frame's picture.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "colour/colour_matrix.h"
#include "decoder/frame_format.h"
#include "export/clip_frames.h"
#include "export/clip_muxer.h"
#include "export/ffmpeg_support.h"
#include "library/frame_reader.h"
#include "platform/status.h"

namespace orvik {

// One frame of the clip as a worker left it.
struct PreparedFrame {
    std::optional<std::string> refusal;  // why the frame is left out, when it is
    Status status;                       // a failure here ends the export
    std::vector<std::uint8_t> jpeg;      // the copy's packet
    AvFramePtr picture;                  // H.264's picture, at the clip's size
};

// A worker's frames: each is read to depth with the worker's own reader; a frame the reader
// refuses is left out with the reason, and the stream makes what it writes of the others.
class FramePreparer {
  public:
    FramePreparer(DecodeDepth depth, const PictureAdjustments& adjustments)
        : reader_(std::nullopt, adjustments), depth_(depth) {}
    virtual ~FramePreparer() = default;

    PreparedFrame Prepare(const ClipFrame& frame) {
        PreparedFrame prepared;
        const FrameFacts facts = reader_.Read(frame.path.c_str(), depth_);
        if (facts.refusal != FrameRefusal::kNone) {
            prepared.refusal = RefusalText(facts);
        } else {
            Make(frame, prepared);
        }
        return prepared;
    }

  protected:
    // Fills prepared from the frame Reader() has just read.
    virtual void Make(const ClipFrame& frame, PreparedFrame& prepared) = 0;
    const FrameReader& Reader() const { return reader_; }

  private:
    FrameReader reader_;
    DecodeDepth depth_;
};

class ClipStream {
  public:
    virtual ~ClipStream() = default;
    // A preparer for one worker.
    virtual std::unique_ptr<FramePreparer> MakePreparer() const = 0;
    // Adds the stream, its times in 1 / ticksPerSecond, to the muxer, whose header is not
    // written yet.
    virtual Status AddTo(ClipMuxer& muxer) = 0;
    virtual Status Write(PreparedFrame& frame, std::int64_t ticks, ClipMuxer& muxer) = 0;
    virtual Status Finish(ClipMuxer& muxer) = 0;
};

// size: the first frame's picture size, which every frame of an H.264 clip is scaled to.
std::unique_ptr<ClipStream> MakeMjpegCopy(FrameSize size, int ticksPerSecond);
std::unique_ptr<ClipStream> MakeH264Stream(FrameSize size, int ticksPerSecond, int crf,
                                           const PictureAdjustments& adjustments,
                                           bool globalHeader);

}  // namespace orvik
