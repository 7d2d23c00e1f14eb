#include "bench/bench_frames.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "decoder/frame_format.h"
#include "jpeg/frame_jpeg.h"
#include "testing/framewriter/frame_writer.h"
#include "testing/framewriter/test_picture.h"
#include "testing/recording/recording_writer.h"

namespace orvik::bench {
namespace {

constexpr std::uint32_t kPictureSeed = 2024;
constexpr char kCameraPrefix[] = "CAM1";
constexpr char kDateFolder[] = "24061509";
constexpr std::int32_t kFirstCapture = 9 * 360000;  // 09:00:00.00
constexpr int kGrain = 12;                          // each channel moves by up to +-6

// Frame index's picture: the scene, each sample moved by its own grain.
std::vector<std::uint8_t> GrainyPicture(const std::vector<std::uint8_t>& scene, int index) {
    std::vector<std::uint8_t> picture(scene.size());
    std::uint32_t state = 2654435761u * static_cast<std::uint32_t>(index + 1);
    for (std::size_t i = 0; i < scene.size(); ++i) {
        state = state * 1664525u + 1013904223u;  // a linear congruential generator
        const int grain = static_cast<int>(state >> 24) % kGrain - kGrain / 2;
        picture[i] = static_cast<std::uint8_t>(std::clamp(scene[i] + grain, 0, 255));
    }
    return picture;
}

// Writes frameAt(i) for i below count into the date folder under root; their paths in order.
std::vector<std::string> WriteFrames(const std::string& root, int count, std::int32_t interval,
                                     const std::function<std::vector<std::uint8_t>(int)>& frameAt) {
    const std::string folder = root + "/" + kDateFolder;
    std::filesystem::create_directories(folder);
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        const std::vector<std::uint8_t> frame = frameAt(i);
        paths.push_back(folder + "/" +
                        RecordingFrameName(kCameraPrefix, kFirstCapture + i * interval));
        std::ofstream(paths.back(), std::ios::binary)
            .write(reinterpret_cast<const char*>(frame.data()),
                   static_cast<std::streamsize>(frame.size()));
    }
    return paths;
}

}  // namespace

CodedFrame MakeCodedFrame(int width, int height, int quality) {
    const std::vector<std::uint8_t> rgb = MakeTestPicture(width, height, kPictureSeed);
    CodedFrame coded{width, height, EncodeFrame(rgb.data(), width, height, quality), {}};
    coded.jpeg = RewrapAsJpeg(coded.frame.data(), coded.frame.size());
    return coded;
}

FrameDecoder::FrameDecoder(const CodedFrame& coded, DecoderVariant variant)
    : context(variant),
      data(coded.frame.data() + kFrameHeaderSize),
      length(static_cast<std::int32_t>(coded.frame.size() - kFrameHeaderSize)) {
    InitDecoder(context, coded.width, coded.height);
    LoadFrameTables(context, coded.frame.data() + kQuantSegmentsOffset);
}

void ForEachFrame(const std::string& prefix, std::span<const PictureSize> sizes,
                  const std::function<void(const CodedFrame&, const std::string&)>& add) {
    for (const PictureSize size : sizes) {
        for (const int quality : kBenchQualities) {
            const auto* coded = new CodedFrame(MakeCodedFrame(size.width, size.height, quality));
            add(*coded, prefix + "/" + std::to_string(size.width) + "x" +
                            std::to_string(size.height) + "/q" + std::to_string(quality) + "/");
        }
    }
}

void RegisterVariant(const std::string& name, const CodedFrame& coded, VariantBenchmark run,
                     benchmark::TimeUnit unit, DecoderVariant variant) {
    benchmark::RegisterBenchmark((name + VariantName(variant)).c_str(), [run, &coded, variant](
                                                                            benchmark::State& s) {
        run(s, coded, variant);
    })->Unit(unit);
}

void RegisterBothVariants(const std::string& name, const CodedFrame& coded, VariantBenchmark run,
                          benchmark::TimeUnit unit) {
    for (const DecoderVariant variant : {DecoderVariant::kPacked, DecoderVariant::kScalar}) {
        RegisterVariant(name, coded, run, unit, variant);
    }
}

int RunBenchmarks(int argc, char** argv, const std::function<void()>& registerAll) {
    benchmark::Initialize(&argc, argv);
    registerAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

int RunVariantBenchmarks(int argc, char** argv, const std::string& prefix,
                         std::span<const PictureSize> sizes, VariantBenchmark run,
                         benchmark::TimeUnit unit) {
    return RunBenchmarks(argc, argv, [&] {
        ForEachFrame(prefix, sizes, [run, unit](const CodedFrame& coded, const std::string& name) {
            RegisterBothVariants(name, coded, run, unit);
        });
    });
}

void WriteDateFolder(const std::string& root, const std::vector<std::uint8_t>& frame, int count,
                     std::int32_t interval) {
    WriteFrames(root, count, interval, [&frame](int) { return frame; });
}

std::vector<std::string> WriteGrainyDateFolder(const std::string& root, int width, int height,
                                               int quality, int count, std::int32_t interval) {
    const std::vector<std::uint8_t> scene = MakeTestPicture(width, height, kPictureSeed);
    return WriteFrames(root, count, interval, [&](int i) {
        return EncodeFrame(GrainyPicture(scene, i).data(), width, height, quality);
    });
}

int BatchFrameCount() {
    return std::getenv("ORVIK_BENCH_QUICK") != nullptr ? 20 : 200;
}

std::vector<std::string> WriteBatchDateFolder(const std::string& root, int width, int height) {
    constexpr int kQuality = 75;
    constexpr std::int32_t kFrameInterval = 20;  // hundredths: five frames a second
    return WriteGrainyDateFolder(root, width, height, kQuality, BatchFrameCount(), kFrameInterval);
}

}  // namespace orvik::bench
