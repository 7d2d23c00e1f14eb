// Frame bytes to the BGR picture the window draws, for photographic frames of the two
// picture sizes of playback at qualities 75 and 90: DecodeFrame in both variants (packed
// transform and conversion; scalar transform and conversion) beside libjpeg-turbo decoding
// the same coded data to BGR with its accurate integer transform, once with its default
// smooth chroma upsampling and once with chroma shared by each pixel pair, which is the work
// DecodeFrame does. Compare the medians of one run.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_frames.h"
#include "decoder/decode_frame.h"
#include "library/file_manager.h"
#include "testing/framewriter/jpeg_reference.h"

namespace orvik::bench {
namespace {

void DecodeWithVariant(benchmark::State& state, const CodedFrame& coded, DecoderVariant variant) {
    FrameDecoder d(coded, variant);
    const auto picture = std::make_unique<std::uint8_t[]>(kPictureBitsBytes);
    RunOnFrame(state, coded, "the frame did not decode", [&d, &picture] {
        return DecodeFrame(d.context, d.data, d.length, picture.get()) == 1;
    });
}

void DecodeWithLibjpeg(benchmark::State& state, const CodedFrame& coded, bool smoothChroma) {
    ReferenceDecoder decoder;
    std::vector<std::uint8_t> bgr;
    int width = 0;
    int height = 0;
    RunOnFrame(state, coded, "libjpeg-turbo did not decode", [&] {
        return decoder.DecodeBgr(coded.jpeg.data(), coded.jpeg.size(), bgr, width, height,
                                 smoothChroma);
    });
}

void RegisterAll() {
    ForEachFrame(
        "DecodeToBgr", kPlaybackSizes, [](const CodedFrame& coded, const std::string& name) {
            RegisterBothVariants(name, coded, DecodeWithVariant, benchmark::kMicrosecond);
            for (const bool smooth : {true, false}) {
                benchmark::RegisterBenchmark(
                    (name + (smooth ? "libjpeg-turbo" : "libjpeg-turbo-pairs")).c_str(),
                    [&coded, smooth](benchmark::State& s) { DecodeWithLibjpeg(s, coded, smooth); })
                    ->Unit(benchmark::kMicrosecond);
            }
        });
}

}  // namespace
}  // namespace orvik::bench

int main(int argc, char** argv) {
    return orvik::bench::RunBenchmarks(argc, argv, orvik::bench::RegisterAll);
}
