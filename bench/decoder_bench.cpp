// Frame bytes to Y, U, V planes for photographic frames of the two picture sizes of playback
// at qualities 75 and 90: the decoder in both variants (packed transform, scalar transform)
// beside libjpeg-turbo decoding the very same coded data (RewrapAsJpeg) to raw planes with
// its accurate integer transform; and the DC-only pass (the luma DC picture, no transform)
// on the same frames, named "dc-only-packed" and "dc-only-scalar" beside the full decode of
// its variant. Compare the medians of one run:
//   decoder_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bench/bench_frames.h"
#include "decoder/dc_only.h"
#include "decoder/decode_frame.h"
#include "testing/framewriter/jpeg_reference.h"

namespace orvik::bench {
namespace {

void DecodeWithVariant(benchmark::State& state, const CodedFrame& coded, DecoderVariant variant) {
    FrameDecoder d(coded, variant);
    RunOnFrame(state, coded, "the frame did not decode",
               [&d] { return DecodeFramePlanes(d.context, d.data, d.length).endTestPassed; });
}

void DecodeDcOnly(benchmark::State& state, const CodedFrame& coded, DecoderVariant variant) {
    FrameDecoder d(coded, variant);
    std::vector<std::uint8_t> dc(kMaxLumaDcSamples);
    RunOnFrame(state, coded, "the frame did not decode", [&d, &dc] {
        return DecodeLumaDc(d.context, d.data, d.length, dc.data()).endTestPassed;
    });
}

void DecodeWithLibjpeg(benchmark::State& state, const CodedFrame& coded) {
    ReferenceDecoder decoder;
    std::vector<std::uint8_t> planes;
    int width = 0;
    int height = 0;
    RunOnFrame(state, coded, "libjpeg-turbo did not decode", [&] {
        return decoder.DecodePlanes(coded.jpeg.data(), coded.jpeg.size(), planes, width, height);
    });
}

void RegisterAll() {
    ForEachFrame("Decode", kPlaybackSizes, [](const CodedFrame& coded, const std::string& name) {
        RegisterBothVariants(name, coded, DecodeWithVariant, benchmark::kMicrosecond);
        RegisterBothVariants(name + "dc-only-", coded, DecodeDcOnly, benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((name + "libjpeg-turbo").c_str(), [&coded](
                                                                           benchmark::State& s) {
            DecodeWithLibjpeg(s, coded);
        })->Unit(benchmark::kMicrosecond);
    });
}

}  // namespace
}  // namespace orvik::bench

int main(int argc, char** argv) {
    return orvik::bench::RunBenchmarks(argc, argv, orvik::bench::RegisterAll);
}
