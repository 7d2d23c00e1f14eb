// The H.264 clip: each frame decoded by our decoder to the picture the viewer shows (with
// the given adjustments), converted to 4:2:0 at the clip's size by libswscale on the
// worker that decoded it, and encoded by libx264 at a constant rate factor.
#include "export/clip_stream.h"

extern "C" {
#include <libavutil/opt.h>
}

namespace orvik {
namespace {

// Bilinear when a frame of another size is scaled; accurate rounding, so that the 4:2:0
// chroma is the mean of each 2 x 2 block rather than one sample of it.
constexpr int kScaleFlags = SWS_BILINEAR | SWS_ACCURATE_RND;

class PicturePreparer : public FramePreparer {
  public:
    PicturePreparer(FrameSize clipSize, const PictureAdjustments& adjustments)
        : FramePreparer(DecodeDepth::kPicture, adjustments), clipSize_(clipSize) {}

  protected:
    void Make(const ClipFrame&, PreparedFrame& prepared) override {
        prepared.status = Convert(prepared.picture);
    }

  private:
    Status Convert(AvFramePtr& picture) {
        const int width = Reader().Width();
        const int height = Reader().Height();
        scaler_.reset(sws_getCachedContext(scaler_.release(), width, height, AV_PIX_FMT_BGR24,
                                           clipSize_.width, clipSize_.height, AV_PIX_FMT_YUV420P,
                                           kScaleFlags, nullptr, nullptr, nullptr));
        picture.reset(av_frame_alloc());
        if (scaler_ == nullptr || picture == nullptr) {
            return AvFailure("conversion", AVERROR(ENOMEM));
        }
        picture->format = AV_PIX_FMT_YUV420P;
        picture->width = clipSize_.width;
        picture->height = clipSize_.height;
        if (const int result = av_frame_get_buffer(picture.get(), 0); result < 0) {
            return AvFailure("picture", result);
        }
        // The picture is stored bottom row first: it is read from its last row up.
        const auto stride = static_cast<int>(Reader().PictureStride());
        const std::uint8_t* rows[1] = {Reader().Picture().data() +
                                       static_cast<std::size_t>(stride) * (height - 1)};
        const int rowStrides[1] = {-stride};
        const int result =
            sws_scale(scaler_.get(), rows, rowStrides, 0, height, picture->data, picture->linesize);
        return result < 0 ? AvFailure("conversion", result) : Status();
    }

    FrameSize clipSize_;
    SwsContextPtr scaler_;
};

class H264Stream : public ClipStream {
  public:
    H264Stream(FrameSize size, int ticksPerSecond, int crf, const PictureAdjustments& adjustments,
               bool globalHeader)
        : size_(size),
          ticksPerSecond_(ticksPerSecond),
          crf_(crf),
          adjustments_(adjustments),
          globalHeader_(globalHeader),
          packet_(av_packet_alloc()) {}

    std::unique_ptr<FramePreparer> MakePreparer() const override {
        return std::make_unique<PicturePreparer>(size_, adjustments_);
    }

    Status AddTo(ClipMuxer& muxer) override {
        if (Status opened = OpenEncoder(); !opened.Ok()) {
            return opened;
        }
        const AvCodecParametersPtr parameters(avcodec_parameters_alloc());
        if (parameters == nullptr) {
            return AvFailure("stream", AVERROR(ENOMEM));
        }
        const int result = avcodec_parameters_from_context(parameters.get(), encoder_.get());
        if (result < 0) {
            return AvFailure("stream", result);
        }
        return muxer.AddStream(*parameters, encoder_->time_base);
    }

    Status Write(PreparedFrame& frame, std::int64_t ticks, ClipMuxer& muxer) override {
        frame.picture->pts = ticks;
        return Encode(frame.picture.get(), muxer);
    }

    Status Finish(ClipMuxer& muxer) override { return Encode(nullptr, muxer); }

  private:
    Status OpenEncoder() {
        const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
        if (codec == nullptr) {
            return Status::Failure("h264: this FFmpeg has no libx264");
        }
        encoder_.reset(avcodec_alloc_context3(codec));
        if (encoder_ == nullptr || packet_ == nullptr) {
            return AvFailure("h264", AVERROR(ENOMEM));
        }
        encoder_->width = size_.width;
        encoder_->height = size_.height;
        encoder_->pix_fmt = AV_PIX_FMT_YUV420P;
        encoder_->time_base = AVRational{1, ticksPerSecond_};
        encoder_->sample_aspect_ratio = AVRational{1, 1};
        // No B-frames: each packet's decoding time is then its frame's own time, so that
        // containers that lay a clip out by decoding time (an MP4's media duration, AVI's
        // chunks) end it where its last frame ends, pauses included. On the demo recording
        // (1,800 frames of 640 x 480) at crf 23 the clip is 4.4% larger than with libx264's
        // default of 3 (628,542 bytes against 602,300), and encodes as fast within the
        // machine's noise.
        encoder_->max_b_frames = 0;
        // What libswscale converts to by default: BT.601 in video range.
        encoder_->colorspace = AVCOL_SPC_SMPTE170M;
        encoder_->color_range = AVCOL_RANGE_MPEG;
        if (globalHeader_) {
            encoder_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        }
        int result = av_opt_set_double(encoder_->priv_data, "crf", crf_, 0);
        if (result < 0) {
            return AvFailure("h264 crf", result);
        }
        result = avcodec_open2(encoder_.get(), codec, nullptr);
        return result < 0 ? AvFailure("h264", result) : Status();
    }

    // Sends a picture (none: the end) and writes every packet the encoder has ready.
    Status Encode(AVFrame* picture, ClipMuxer& muxer) {
        int result = avcodec_send_frame(encoder_.get(), picture);
        if (result < 0) {
            return AvFailure("h264", result);
        }
        for (;;) {
            result = avcodec_receive_packet(encoder_.get(), packet_.get());
            if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) {
                return Status();
            }
            if (result < 0) {
                return AvFailure("h264", result);
            }
            if (Status written = muxer.WritePacket(*packet_); !written.Ok()) {
                return written;
            }
        }
    }

    FrameSize size_;
    int ticksPerSecond_;
    int crf_;
    PictureAdjustments adjustments_;
    bool globalHeader_;
    AvCodecContextPtr encoder_;
    AvPacketPtr packet_;
};

}  // namespace

std::unique_ptr<ClipStream> MakeH264Stream(FrameSize size, int ticksPerSecond, int crf,
                                           const PictureAdjustments& adjustments,
                                           bool globalHeader) {
    return std::make_unique<H264Stream>(size, ticksPerSecond, crf, adjustments, globalHeader);
}

}  // namespace orvik
