// Frames for the benchmarks, made on the fly: photographic-looking test pictures encoded as
// frame files (and the same coded data as a standard JPEG for libjpeg-turbo), decoders set up
// for them, and date folders of such frame files named as the recorder names them.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <span>
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

// Makes a frame of each size at each of kBenchQualities and hands it to add with the name of
// its benchmarks, "prefix/640x480/q75/". The frames live as long as the process: the
// benchmarks refer to them.
void ForEachFrame(const std::string& prefix, std::span<const PictureSize> sizes,
                  const std::function<void(const CodedFrame&, const std::string&)>& add);

// A decoder context of the variant set up for a frame, as the loader leaves it just before
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

// A benchmark of one frame, run in the variant it is given.
using VariantBenchmark = void (*)(benchmark::State&, const CodedFrame&, DecoderVariant);

// Registers run on coded in the variant as name + "packed" or name + "scalar".
void RegisterVariant(const std::string& name, const CodedFrame& coded, VariantBenchmark run,
                     benchmark::TimeUnit unit, DecoderVariant variant);
// RegisterVariant for the packed, then the scalar variant.
void RegisterBothVariants(const std::string& name, const CodedFrame& coded, VariantBenchmark run,
                          benchmark::TimeUnit unit);

// The main of a benchmark program: registerAll registers the benchmarks, then those the
// command line names run.
int RunBenchmarks(int argc, char** argv, const std::function<void()>& registerAll);
// The main of a program of one benchmark, run in both variants on a frame of each size at
// each quality, named "prefix/640x480/q75/packed".
int RunVariantBenchmarks(int argc, char** argv, const std::string& prefix,
                         std::span<const PictureSize> sizes, VariantBenchmark run,
                         benchmark::TimeUnit unit);

// Writes the date folder 24061509 under root (made when missing) with count copies of frame,
// the first captured at 09:00:00.00 and each next one interval hundredths of a second later.
void WriteDateFolder(const std::string& root, const std::vector<std::uint8_t>& frame, int count,
                     std::int32_t interval);

// Writes the date folder as WriteDateFolder does, with count frames that differ: the test
// picture of the size, as a still scene, under sensor grain that changes from frame to frame
// as a camera in dim light gives it (what an encoder cannot predict, so that figures are not
// those of one clean picture), encoded at quality. Returns the frames' paths in order.
std::vector<std::string> WriteGrainyDateFolder(const std::string& root, int width, int height,
                                               int quality, int count, std::int32_t interval);

// The recording of the whole-process batch runs (check, activity): one date folder of
// BatchFrameCount() grainy quality-75 frames of the size, five a second. 200 frames, or 20
// when ORVIK_BENCH_QUICK is set. Returns the frames' paths in order.
int BatchFrameCount();
std::vector<std::string> WriteBatchDateFolder(const std::string& root, int width, int height);

}  // namespace orvik::bench
