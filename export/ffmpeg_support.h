// FFmpeg's C objects held the C++ way: each in a std::unique_ptr with its free function as
// deleter, so that an early return frees everything; and every failed call turned into one
// message line with FFmpeg's own text for its error code.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

#include <memory>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace orvik {

struct AvPacketFree {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct AvFrameFree {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct AvCodecContextFree {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct AvCodecParametersFree {
    void operator()(AVCodecParameters* parameters) const { avcodec_parameters_free(&parameters); }
};
// An output file's context; its file is closed first when it is still open (what was written
// stays: the caller's temporary file goes with it).
struct AvOutputContextFree {
    void operator()(AVFormatContext* context) const {
        avio_closep(&context->pb);
        avformat_free_context(context);
    }
};
struct SwsContextFree {
    void operator()(SwsContext* context) const { sws_freeContext(context); }
};

using AvPacketPtr = std::unique_ptr<AVPacket, AvPacketFree>;
using AvFramePtr = std::unique_ptr<AVFrame, AvFrameFree>;
using AvCodecContextPtr = std::unique_ptr<AVCodecContext, AvCodecContextFree>;
using AvCodecParametersPtr = std::unique_ptr<AVCodecParameters, AvCodecParametersFree>;
using AvOutputContextPtr = std::unique_ptr<AVFormatContext, AvOutputContextFree>;
using SwsContextPtr = std::unique_ptr<SwsContext, SwsContextFree>;

// The failure "what: FFmpeg's text for code" (av_strerror).
Status AvFailure(std::string_view what, int code);

}  // namespace orvik
