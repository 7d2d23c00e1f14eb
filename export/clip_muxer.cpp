#include "export/clip_muxer.h"

namespace orvik {

ClipMuxer::ClipMuxer() : held_(av_packet_alloc()) {}

ClipMuxer::~ClipMuxer() {
    if (context_ != nullptr) {
        avio_closep(&context_->pb);
        avformat_free_context(context_);
    }
}

Status ClipMuxer::Open(const AVOutputFormat* container, const std::string& path) {
    if (held_ == nullptr) {
        return AvFailure("packet", AVERROR(ENOMEM));
    }
    int result = avformat_alloc_output_context2(&context_, container, nullptr, path.c_str());
    if (result < 0) {
        return AvFailure("container", result);
    }
    // No random identifiers and no version texts: the same clip gives the same bytes.
    context_->flags |= AVFMT_FLAG_BITEXACT;
    // "file:" so that no other protocol reads anything into the name.
    result = avio_open(&context_->pb, ("file:" + path).c_str(), AVIO_FLAG_WRITE);
    return result < 0 ? AvFailure(path, result) : Status();
}

Status ClipMuxer::AddStream(const AVCodecParameters& parameters, AVRational timeBase) {
    stream_ = avformat_new_stream(context_, nullptr);
    if (stream_ == nullptr) {
        return AvFailure("stream", AVERROR(ENOMEM));
    }
    const int result = avcodec_parameters_copy(stream_->codecpar, &parameters);
    if (result < 0) {
        return AvFailure("stream", result);
    }
    stream_->time_base = timeBase;
    timeBase_ = timeBase;
    return Status();
}

Status ClipMuxer::WriteHeader() {
    // The container may choose a time base of its own; packets are rescaled to it.
    const int result = avformat_write_header(context_, nullptr);
    return result < 0 ? AvFailure("header", result) : Status();
}

Status ClipMuxer::WritePacket(AVPacket& packet) {
    if (holding_) {
        if (Status written = WriteHeld(packet.dts - held_->dts); !written.Ok()) {
            return written;
        }
    }
    av_packet_move_ref(held_.get(), &packet);
    holding_ = true;
    return Status();
}

Status ClipMuxer::WriteHeld(std::int64_t duration) {
    held_->duration = duration;
    lastDuration_ = duration;
    held_->stream_index = stream_->index;
    av_packet_rescale_ts(held_.get(), timeBase_, stream_->time_base);
    holding_ = false;
    // Takes the packet's data, and leaves it blank.
    const int result = av_interleaved_write_frame(context_, held_.get());
    return result < 0 ? AvFailure("packet", result) : Status();
}

Status ClipMuxer::Finish() {
    if (holding_) {
        if (Status written = WriteHeld(lastDuration_); !written.Ok()) {
            return written;
        }
    }
    int result = av_write_trailer(context_);
    if (result < 0) {
        return AvFailure("trailer", result);
    }
    // Closing flushes what is left: a full disk may only show here.
    result = avio_closep(&context_->pb);
    return result < 0 ? AvFailure("close", result) : Status();
}

}  // namespace orvik
