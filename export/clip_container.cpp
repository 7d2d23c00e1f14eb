#include "export/clip_container.h"

#include <string_view>

#include "export/ffmpeg_support.h"

namespace orvik {

ClipCodec DefaultCodecFor(const std::string& outputPath) {
    return std::string_view(ContainerFor(outputPath)->name) == "mp4" ? ClipCodec::kH264
                                                                     : ClipCodec::kCopy;
}

Status ContainerCanHold(const std::string& outputPath, ClipCodec codec) {
    const AVOutputFormat* container = ContainerFor(outputPath);
    const std::string name = container->name;
    if ((container->flags & AVFMT_NOFILE) != 0) {
        return Status::Failure(name + " writes files of its own, not one clip");
    }
    if ((container->flags & AVFMT_NOTIMESTAMPS) != 0) {
        return Status::Failure(name + " keeps no frame times");
    }
    const AVCodecID codecId = codec == ClipCodec::kH264 ? AV_CODEC_ID_H264 : AV_CODEC_ID_MJPEG;
    // 0 is a firm no; a container that cannot tell (negative) is left to try.
    if (avformat_query_codec(container, codecId, FF_COMPLIANCE_NORMAL) == 0) {
        return Status::Failure(name + " cannot hold " +
                               (codec == ClipCodec::kH264 ? "h264" : "the frames' MJPEG"));
    }
    return Status();
}

const AVOutputFormat* ContainerFor(const std::string& outputPath) {
    const AVOutputFormat* named = av_guess_format(nullptr, outputPath.c_str(), nullptr);
    return named != nullptr ? named : av_guess_format("matroska", nullptr, nullptr);
}

int TicksPerSecondFor(const AVOutputFormat* container) {
    return std::string_view(container->name) == "avi" ? 100 : 1000;
}

}  // namespace orvik
