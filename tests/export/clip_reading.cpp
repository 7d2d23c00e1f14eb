#include "tests/export/clip_reading.h"

#include <cmath>

#include "export/ffmpeg_support.h"

namespace orvik::test {
namespace {

struct InputCloser {
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
using InputPtr = std::unique_ptr<AVFormatContext, InputCloser>;

InputPtr OpenClip(const std::string& path, int& streamIndex) {
    // Probing decodes MJPEG with every frame skipped, and then notes "EOI missing" for
    // well-formed JPEGs; such notes would only hide real failures in the test's output.
    av_log_set_level(AV_LOG_ERROR);
    AVFormatContext* opened = nullptr;
    if (avformat_open_input(&opened, path.c_str(), nullptr, nullptr) < 0) {
        return nullptr;
    }
    InputPtr input(opened);
    if (avformat_find_stream_info(input.get(), nullptr) < 0) {
        return nullptr;
    }
    streamIndex = av_find_best_stream(input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    return streamIndex < 0 ? nullptr : std::move(input);
}

// The decoded picture as tightly packed BGR rows, top row first.
Bytes ToBgr(const AVFrame& frame) {
    const SwsContextPtr scaler(sws_getContext(
        frame.width, frame.height, static_cast<AVPixelFormat>(frame.format), frame.width,
        frame.height, AV_PIX_FMT_BGR24, SWS_BILINEAR, nullptr, nullptr, nullptr));
    Bytes bgr(static_cast<std::size_t>(frame.width) * frame.height * 3);
    std::uint8_t* rows[1] = {bgr.data()};
    const int strides[1] = {frame.width * 3};
    sws_scale(scaler.get(), frame.data, frame.linesize, 0, frame.height, rows, strides);
    return bgr;
}

}  // namespace

std::optional<ReadClip> ReadClipFile(const std::string& path) {
    int streamIndex = -1;
    const InputPtr input = OpenClip(path, streamIndex);
    if (input == nullptr) {
        return std::nullopt;
    }
    const AVStream& stream = *input->streams[streamIndex];
    ReadClip clip;
    clip.container = input->iformat->name;
    clip.codec = avcodec_get_name(stream.codecpar->codec_id);
    clip.width = stream.codecpar->width;
    clip.height = stream.codecpar->height;
    if (input->duration != AV_NOPTS_VALUE) {
        clip.milliseconds = av_rescale(input->duration, 1000, AV_TIME_BASE);
    }
    if (stream.duration != AV_NOPTS_VALUE) {
        clip.streamMilliseconds = av_rescale_q(stream.duration, stream.time_base, {1, 1000});
    }
    const AvPacketPtr packet(av_packet_alloc());
    while (av_read_frame(input.get(), packet.get()) >= 0) {
        if (packet->stream_index == streamIndex) {
            // AVI keeps decoding times alone, which a player takes for the frames' own.
            const std::int64_t time = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
            clip.packets.push_back({av_rescale_q(time, stream.time_base, AVRational{1, 1000}),
                                    Bytes(packet->data, packet->data + packet->size)});
        }
        av_packet_unref(packet.get());
    }
    return clip;
}

std::vector<Bytes> DecodeClipPictures(const std::string& path) {
    std::vector<Bytes> pictures;
    int streamIndex = -1;
    const InputPtr input = OpenClip(path, streamIndex);
    if (input == nullptr) {
        return pictures;
    }
    const AVCodecParameters& parameters = *input->streams[streamIndex]->codecpar;
    const AvCodecContextPtr decoder(
        avcodec_alloc_context3(avcodec_find_decoder(parameters.codec_id)));
    if (avcodec_parameters_to_context(decoder.get(), &parameters) < 0 ||
        avcodec_open2(decoder.get(), nullptr, nullptr) < 0) {
        return pictures;
    }
    const AvPacketPtr packet(av_packet_alloc());
    const AvFramePtr frame(av_frame_alloc());
    const auto receive = [&] {
        while (avcodec_receive_frame(decoder.get(), frame.get()) >= 0) {
            pictures.push_back(ToBgr(*frame));
        }
    };
    while (av_read_frame(input.get(), packet.get()) >= 0) {
        if (packet->stream_index == streamIndex) {
            avcodec_send_packet(decoder.get(), packet.get());
            receive();
        }
        av_packet_unref(packet.get());
    }
    avcodec_send_packet(decoder.get(), nullptr);
    receive();
    return pictures;
}

double Psnr(const Bytes& a, const Bytes& b) {
    if (a.size() != b.size() || a.empty()) {
        return 0;
    }
    double squares = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const double difference = static_cast<double>(a[i]) - b[i];
        squares += difference * difference;
    }
    const double mean = squares / static_cast<double>(a.size());
    return mean == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 / mean);
}

}  // namespace orvik::test
