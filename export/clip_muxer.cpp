#include "export/clip_muxer.h"

#include "export/clip_container.h"

namespace orvik {

Status ClipMuxer::Open(const AVOutputFormat* container, const std::string& path) {
    AVFormatContext* made = nullptr;
    int result = avformat_alloc_output_context2(&made, container, nullptr, path.c_str());
    context_.reset(made);
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
    stream_ = avformat_new_stream(context_.get(), nullptr);
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
    const int result = avformat_write_header(context_.get(), nullptr);
    return result < 0 ? AvFailure("header", result) : Status();
}

Status ClipMuxer::FrameAt(std::int64_t ticks) {
    if (lastFrame_) {
        // The pauses were checked before the clip was begun; frames left out since (damaged
        // ones) can make one longer.
        if (Status paused = ContainerCanPause(context_->oformat, ticks - *lastFrame_);
            !paused.Ok()) {
            return paused;
        }
        showTimes_[*lastFrame_] = ticks - *lastFrame_;
    }
    lastFrame_ = ticks;
    return WriteReady();
}

Status ClipMuxer::WritePacket(AVPacket& packet) {
    AvPacketPtr held(av_packet_alloc());
    if (held == nullptr) {
        return AvFailure("packet", AVERROR(ENOMEM));
    }
    av_packet_move_ref(held.get(), &packet);
    waiting_.push_back(std::move(held));
    return WriteReady();
}

// Writes the waiting packets, in the order they came, up to the first whose frame's show
// time is not known yet.
Status ClipMuxer::WriteReady() {
    while (!waiting_.empty()) {
        AVPacket& packet = *waiting_.front();
        const auto shown = showTimes_.find(packet.pts);
        if (shown == showTimes_.end()) {
            return Status();
        }
        packet.duration = shown->second;
        showTimes_.erase(shown);
        packet.stream_index = stream_->index;
        av_packet_rescale_ts(&packet, timeBase_, stream_->time_base);
        // Takes the packet's data, and leaves it blank.
        const int result = av_interleaved_write_frame(context_.get(), &packet);
        waiting_.pop_front();
        if (result < 0) {
            return AvFailure("packet", result);
        }
    }
    return Status();
}

// An empty packet in the last tick the last frame shows in: in a container that counts
// ticks, the empty chunks up to it and its own make the clip's length.
Status ClipMuxer::WriteEnd(std::int64_t lastPace) {
    const AvPacketPtr end(av_packet_alloc());
    if (end == nullptr) {
        return AvFailure("packet", AVERROR(ENOMEM));
    }
    end->pts = *lastFrame_ + lastPace - 1;
    end->dts = end->pts;
    end->duration = 1;
    end->stream_index = stream_->index;
    av_packet_rescale_ts(end.get(), timeBase_, stream_->time_base);
    const int result = av_interleaved_write_frame(context_.get(), end.get());
    return result < 0 ? AvFailure("packet", result) : Status();
}

Status ClipMuxer::Finish(std::int64_t lastPace) {
    if (lastFrame_) {
        showTimes_[*lastFrame_] = lastPace;
    }
    if (Status written = WriteReady(); !written.Ok()) {
        return written;
    }
    if (!waiting_.empty()) {
        return Status::Failure("packet: no frame at its time");
    }
    if (lastFrame_ && lastPace > 1 && ContainerCountsTicks(context_->oformat)) {
        if (Status ended = WriteEnd(lastPace); !ended.Ok()) {
            return ended;
        }
    }
    int result = av_write_trailer(context_.get());
    if (result < 0) {
        return AvFailure("trailer", result);
    }
    // Closing flushes what is left: a full disk may only show here.
    result = avio_closep(&context_->pb);
    return result < 0 ? AvFailure("close", result) : Status();
}

}  // namespace orvik
