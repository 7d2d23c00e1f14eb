// Frame bytes to the BGR picture the window draws, for photographic frames of the two
// picture sizes of playback at qualities 75 and 90: DecodeFrame in both variants (packed
// transform and vector conversion; scalar transform and table conversion) beside
// libjpeg-turbo decoding the same coded data to BGR with its accurate integer transform,
// once with its default smooth chroma upsampling and once with chroma shared by each pixel
// pair, which is the work DecodeFrame does. Compare the medians of one run.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_frames.h"
#include "decoder/decode_frame.h"
#include "decoder/decoder_context.h"
#include "decoder/frame_format.h"
#include "library/file_manager.h"
#include "tools/framewriter/jpeg_reference.h"

namespace orvik::bench {
namespace {

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
    const auto picture = std::make_unique<std::uint8_t[]>(kPictureBitsBytes);
    const std::uint8_t* data = coded.frame.data() + kFrameHeaderSize;
    const auto length = static_cast<std::int32_t>(coded.frame.size() - kFrameHeaderSize);
    for (auto _ : state) {
        if (DecodeFrame(context, data, length, picture.get()) != 1) {
            state.SkipWithError("the frame did not decode");
            break;
        }
        benchmark::ClobberMemory();
    }
    SetCounters(state, coded);
}

void DecodeWithLibjpeg(benchmark::State& state, const CodedFrame& coded, bool smoothChroma) {
    ReferenceDecoder decoder;
    std::vector<std::uint8_t> bgr;
    int width = 0;
    int height = 0;
    for (auto _ : state) {
        if (!decoder.DecodeBgr(coded.jpeg.data(), coded.jpeg.size(), bgr, width, height,
                               smoothChroma)) {
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
        for (const int quality : kBenchQualities) {
            // Frames live as long as the process; the benchmarks refer to them.
            const auto* coded = new CodedFrame(MakeCodedFrame(size.width, size.height, quality));
            const std::string name = "DecodeToBgr/" + FrameLabel(*coded, quality);
            benchmark::RegisterBenchmark((name + "/packed").c_str(), [coded](benchmark::State& s) {
                DecodeWithVariant(s, *coded, true);
            })->Unit(benchmark::kMicrosecond);
            benchmark::RegisterBenchmark((name + "/scalar").c_str(), [coded](benchmark::State& s) {
                DecodeWithVariant(s, *coded, false);
            })->Unit(benchmark::kMicrosecond);
            benchmark::RegisterBenchmark(
                (name + "/libjpeg-turbo").c_str(),
                [coded](benchmark::State& s) { DecodeWithLibjpeg(s, *coded, true); })
                ->Unit(benchmark::kMicrosecond);
            benchmark::RegisterBenchmark(
                (name + "/libjpeg-turbo-pairs").c_str(),
                [coded](benchmark::State& s) { DecodeWithLibjpeg(s, *coded, false); })
                ->Unit(benchmark::kMicrosecond);
        }
    }
}

}  // namespace
}  // namespace orvik::bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    orvik::bench::RegisterAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
