// Frames for the benchmarks, made on the fly: photographic-looking test pictures encoded as
// frame files (and the same coded data as a standard JPEG for libjpeg-turbo), decoders set up
// for them, and date folders of such frame files named as the recorder names them.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "decoder/decoder_context.h"

namespace orvik::bench {

struct CodedFrame {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> frame;  // the frame file
    std::vector<std::uint8_t> jpeg;   // its coded data rewrapped as a standard JPEG
};

// The picture sizes of playback and the qualities a recording device is usually set to; each
// figure is taken at both qualities.
struct PictureSize {
    int width;
    int height;
};
inline constexpr PictureSize kPlaybackSizes[] = {{640, 480}, {1280, 1024}};
inline constexpr int kBenchQualities[] = {75, 90};

CodedFrame MakeCodedFrame(int width, int height, int quality);

// "640x480/q75": the part of a benchmark's name that says which frame it ran on.
std::string FrameLabel(const CodedFrame& coded, int quality);

// A decoder context set up for a frame under a variant, as the loader leaves it just before
// DecodeFrame, and the frame's coded data.
struct FrameDecoder {
    FrameDecoder(const CodedFrame& coded, DecoderVariant variant);

    DecoderContext context;
    const std::uint8_t* data;
    std::int32_t length;
};

// Runs step (which returns false when it failed) once an iteration and counts the frame's
// bytes and pixels; a failure skips the benchmark with the given words.
template <class Step>
void RunOnFrame(benchmark::State& state, const CodedFrame& coded, const char* failure, Step step) {
    for (auto _ : state) {
        if (!step()) {
            state.SkipWithError(failure);
            break;
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * coded.frame.size()));
    state.counters["Mpixel/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * coded.width * coded.height / 1e6,
        benchmark::Counter::kIsRate);
}

// Registers run as name + "packed" and name + "scalar", with the variant it is to run.
void RegisterBothVariants(const std::string& name,
                          const std::function<void(benchmark::State&, DecoderVariant)>& run,
                          benchmark::TimeUnit unit);

// Writes count copies of frame into folderPath (made when missing), the first captured at
// firstTime and each next one interval later (hundredths of a second since midnight).
// Returns the path of the first file.
std::string WriteFrameFolder(const std::string& folderPath, const std::vector<std::uint8_t>& frame,
                             int count, std::int32_t firstTime, std::int32_t interval);

}  // namespace orvik::bench
