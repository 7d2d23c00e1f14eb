#include "bench/bench_frames.h"

#include <filesystem>
#include <fstream>

#include "decoder/frame_format.h"
#include "tools/framewriter/frame_writer.h"
#include "tools/framewriter/test_picture.h"
#include "tools/recording/recording_writer.h"

namespace orvik::bench {
namespace {

constexpr std::uint32_t kPictureSeed = 2024;
constexpr char kCameraPrefix[] = "CAM1";

}  // namespace

CodedFrame MakeCodedFrame(int width, int height, int quality) {
    const std::vector<std::uint8_t> rgb = MakeTestPicture(width, height, kPictureSeed);
    CodedFrame coded{width, height, EncodeFrame(rgb.data(), width, height, quality), {}};
    coded.jpeg = RewrapAsJpeg(coded.frame.data(), coded.frame.size());
    return coded;
}

FrameDecoder::FrameDecoder(const CodedFrame& coded, DecoderVariant variant)
    : data(coded.frame.data() + kFrameHeaderSize),
      length(static_cast<std::int32_t>(coded.frame.size() - kFrameHeaderSize)) {
    ChooseDecoderVariant(variant);
    InitDecoder(context, coded.width, coded.height);
    LoadFrameTables(context, coded.frame.data() + kQuantSegmentsOffset);
}

void RegisterBothVariants(const std::string& name,
                          const std::function<void(benchmark::State&, DecoderVariant)>& run,
                          benchmark::TimeUnit unit) {
    for (const DecoderVariant variant : {DecoderVariant::kPacked, DecoderVariant::kScalar}) {
        benchmark::RegisterBenchmark((name + VariantName(variant)).c_str(),
                                     [run, variant](benchmark::State& s) { run(s, variant); })
            ->Unit(unit);
    }
}

std::string WriteFrameFolder(const std::string& folderPath, const std::vector<std::uint8_t>& frame,
                             int count, std::int32_t firstTime, std::int32_t interval) {
    std::filesystem::create_directories(folderPath);
    std::string first;
    for (int i = 0; i < count; ++i) {
        const std::string path =
            folderPath + "/" + RecordingFrameName(kCameraPrefix, firstTime + i * interval);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(frame.data()),
                   static_cast<std::streamsize>(frame.size()));
        if (i == 0) {
            first = path;
        }
    }
    return first;
}

std::string FrameLabel(const CodedFrame& coded, int quality) {
    return std::to_string(coded.width) + "x" + std::to_string(coded.height) + "/q" +
           std::to_string(quality);
}

}  // namespace orvik::bench
