// Frame bytes to Y, U, V planes for photographic frames of the two picture sizes of playback
// at qualities 75 and 90: the decoder in both variants (packed transform, scalar transform)
// beside libjpeg-turbo decoding the very same coded data (RewrapAsJpeg) to raw planes with
// its accurate integer transform. Compare the medians of one run:
//   decoder_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "decoder/decode_frame.h"
#include "decoder/decoder_context.h"
#include "decoder/frame_format.h"
#include "tools/framewriter/frame_writer.h"
#include "tools/framewriter/jpeg_reference.h"
#include "tools/framewriter/test_picture.h"

namespace orvik {
namespace {

constexpr std::uint32_t kPictureSeed = 2024;

struct CodedFrame {
    int width;
    int height;
    std::vector<std::uint8_t> frame;
    std::vector<std::uint8_t> jpeg;
};

CodedFrame MakeCodedFrame(int width, int height, int quality) {
    const std::vector<std::uint8_t> rgb = MakeTestPicture(width, height, kPictureSeed);
    CodedFrame coded{width, height, EncodeFrame(rgb.data(), width, height, quality), {}};
    coded.jpeg = RewrapAsJpeg(coded.frame.data(), coded.frame.size());
    return coded;
}

void SetCounters(benchmark::State& state, const CodedFrame& coded) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * coded.frame.size()));
    state.counters["Mpixel/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * coded.width * coded.height / 1e6,
        benchmark::Counter::kIsRate);
}

void DecodeWithVariant(benchmark::State& state, const CodedFrame& coded, bool packed) {
    ChooseDecoderVariant(packed);
    DecoderContext context;
    InitDecoder(context, coded.width, coded.height);
    LoadFrameTables(context, coded.frame.data() + kQuantSegmentsOffset);
    const std::uint8_t* data = coded.frame.data() + kFrameHeaderSize;
    const auto length = static_cast<std::int32_t>(coded.frame.size() - kFrameHeaderSize);
    for (auto _ : state) {
        if (!DecodeFramePlanes(context, data, length).endTestPassed) {
            state.SkipWithError("the frame did not decode");
            break;
        }
        benchmark::ClobberMemory();
    }
    SetCounters(state, coded);
}

void DecodeWithLibjpeg(benchmark::State& state, const CodedFrame& coded) {
    ReferenceDecoder decoder;
    std::vector<std::uint8_t> planes;
    int width = 0;
    int height = 0;
    for (auto _ : state) {
        if (!decoder.DecodePlanes(coded.jpeg.data(), coded.jpeg.size(), planes, width, height)) {
            state.SkipWithError("libjpeg-turbo did not decode");
            break;
        }
        benchmark::ClobberMemory();
    }
    SetCounters(state, coded);
}

void RegisterAll() {
    struct Size {
        int width;
        int height;
    };
    for (const Size size : {Size{640, 480}, Size{1280, 1024}}) {
        for (const int quality : {75, 90}) {
            // Frames live as long as the process; the benchmarks refer to them.
            const auto* coded = new CodedFrame(MakeCodedFrame(size.width, size.height, quality));
            const std::string name = "Decode/" + std::to_string(size.width) + "x" +
                                     std::to_string(size.height) + "/q" + std::to_string(quality);
            benchmark::RegisterBenchmark((name + "/packed").c_str(), [coded](benchmark::State& s) {
                DecodeWithVariant(s, *coded, true);
            })->Unit(benchmark::kMicrosecond);
            benchmark::RegisterBenchmark((name + "/scalar").c_str(), [coded](benchmark::State& s) {
                DecodeWithVariant(s, *coded, false);
            })->Unit(benchmark::kMicrosecond);
            benchmark::RegisterBenchmark(
                (name + "/libjpeg-turbo").c_str(),
                [coded](benchmark::State& s) { DecodeWithLibjpeg(s, *coded); })
                ->Unit(benchmark::kMicrosecond);
        }
    }
}

}  // namespace
}  // namespace orvik

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    orvik::RegisterAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
