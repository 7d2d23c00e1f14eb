// The lossless clip: each frame's coded data, unchanged, as the standard JPEG that
// orvik-frame jpeg makes of it (with its capture time in Exif), one MJPEG packet a frame.
#include <cstring>

#include "export/clip_stream.h"
#include "jpeg/frame_jpeg.h"

namespace orvik {
namespace {

// Only frames that the viewer would show go in: the end test needs the planes.
class JpegPacketPreparer : public FramePreparer {
  public:
    JpegPacketPreparer() : FramePreparer(DecodeDepth::kPlanes, PictureAdjustments{}) {}

  protected:
    void Make(const ClipFrame& frame, PreparedFrame& prepared) override {
        prepared.jpeg = FrameAsJpeg(Reader().FileBytes(), NamedCaptureTime(frame));
    }
};

class MjpegCopy : public ClipStream {
  public:
    MjpegCopy(FrameSize size, int ticksPerSecond)
        : size_(size), ticksPerSecond_(ticksPerSecond), packet_(av_packet_alloc()) {}

    std::unique_ptr<FramePreparer> MakePreparer() const override {
        return std::make_unique<JpegPacketPreparer>();
    }

    Status AddTo(ClipMuxer& muxer) override {
        if (packet_ == nullptr) {
            return AvFailure("packet", AVERROR(ENOMEM));
        }
        const AvCodecParametersPtr parameters(avcodec_parameters_alloc());
        if (parameters == nullptr) {
            return AvFailure("stream", AVERROR(ENOMEM));
        }
        parameters->codec_type = AVMEDIA_TYPE_VIDEO;
        parameters->codec_id = AV_CODEC_ID_MJPEG;
        parameters->width = size_.width;
        parameters->height = size_.height;
        parameters->format = AV_PIX_FMT_YUVJ422P;  // a frame's Y 2x1, U and V 1x1, full range
        parameters->color_range = AVCOL_RANGE_JPEG;
        parameters->sample_aspect_ratio = AVRational{1, 1};
        return muxer.AddStream(*parameters, AVRational{1, ticksPerSecond_});
    }

    Status Write(PreparedFrame& frame, std::int64_t ticks, ClipMuxer& muxer) override {
        const int result = av_new_packet(packet_.get(), static_cast<int>(frame.jpeg.size()));
        if (result < 0) {
            return AvFailure("packet", result);
        }
        std::memcpy(packet_->data, frame.jpeg.data(), frame.jpeg.size());
        packet_->pts = ticks;
        packet_->dts = ticks;
        packet_->flags |= AV_PKT_FLAG_KEY;
        return muxer.WritePacket(*packet_);
    }

    Status Finish(ClipMuxer&) override { return Status(); }

  private:
    FrameSize size_;
    int ticksPerSecond_;
    AvPacketPtr packet_;
};

}  // namespace

std::unique_ptr<ClipStream> MakeMjpegCopy(FrameSize size, int ticksPerSecond) {
    return std::make_unique<MjpegCopy>(size, ticksPerSecond);
}

}  // namespace orvik
