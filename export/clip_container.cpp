#include "export/clip_container.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string_view>

#include "export/ffmpeg_support.h"

namespace orvik {
namespace {

struct ContainerRule {
    std::string_view name;  // libavformat's
    int ticksPerSecond;     // of the stream's time base
    bool countsTicks;       // one chunk a tick, empty ones through a pause
};

constexpr ContainerRule kContainers[] = {
    {"matroska", 1000, false},
    {"mp4", 1000, false},
    {"mov", 1000, false},
    {"avi", 100, true},
};

// libavformat's AVI muxer refuses a packet that would need more empty chunks before it.
constexpr std::int64_t kMostEmptyChunks = 60000;

const ContainerRule* RuleFor(const AVOutputFormat* container) {
    const auto found = std::find_if(
        std::begin(kContainers), std::end(kContainers),
        [&](const ContainerRule& rule) { return rule.name == std::string_view(container->name); });
    return found != std::end(kContainers) ? &*found : nullptr;
}

// "2699.00 s"
std::string SecondsText(std::int64_t ticks, int ticksPerSecond) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", static_cast<double>(ticks) / ticksPerSecond);
    return text;
}

}  // namespace

ClipCodec DefaultCodecFor(const std::string& outputPath) {
    return std::string_view(ContainerFor(outputPath)->name) == "mp4" ? ClipCodec::kH264
                                                                     : ClipCodec::kCopy;
}

Status ContainerCanHold(const std::string& outputPath, ClipCodec codec) {
    const AVOutputFormat* container = ContainerFor(outputPath);
    const std::string name = container->name;
    const AVCodecID codecId = codec == ClipCodec::kH264 ? AV_CODEC_ID_H264 : AV_CODEC_ID_MJPEG;
    // 0 is a firm no; a container that cannot tell (negative) is judged by the table.
    if (avformat_query_codec(container, codecId, FF_COMPLIANCE_NORMAL) == 0) {
        return Status::Failure(name + " cannot hold " +
                               (codec == ClipCodec::kH264 ? "h264" : "the frames' MJPEG"));
    }
    if (RuleFor(container) == nullptr) {
        return Status::Failure("a clip is written as .mkv, .mp4, .mov or .avi, not " + name);
    }
    return Status();
}

Status ContainerCanPause(const AVOutputFormat* container, std::int64_t ticks) {
    const ContainerRule* rule = RuleFor(container);
    // A pause of n ticks takes n - 1 empty chunks: a tick to spare.
    if (rule == nullptr || !rule->countsTicks || ticks <= kMostEmptyChunks) {
        return Status();
    }
    return Status::Failure(
        std::string(container->name) + " holds pauses of up to " +
        SecondsText(kMostEmptyChunks, rule->ticksPerSecond) + ", and this clip has one of " +
        SecondsText(ticks, rule->ticksPerSecond) + ": write it as .mkv, .mp4 or .mov");
}

const AVOutputFormat* ContainerFor(const std::string& outputPath) {
    const AVOutputFormat* named = av_guess_format(nullptr, outputPath.c_str(), nullptr);
    return named != nullptr ? named : av_guess_format("matroska", nullptr, nullptr);
}

int TicksPerSecondFor(const AVOutputFormat* container) {
    const ContainerRule* rule = RuleFor(container);
    return rule != nullptr ? rule->ticksPerSecond : 1000;
}

bool ContainerCountsTicks(const AVOutputFormat* container) {
    const ContainerRule* rule = RuleFor(container);
    return rule != nullptr && rule->countsTicks;
}

}  // namespace orvik
