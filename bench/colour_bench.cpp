// The two plane conversions on the picture sizes of playback, beside a plain copy of the same
// number of output bytes (the memory-bandwidth floor), and the cost of rebuilding the colour
// matrix after a slider move.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "colour/colour_matrix.h"
#include "colour/convert_planes.h"
#include "colour/kernels.h"
#include "testing/colour/test_planes.h"

namespace orvik {
namespace {

constexpr PictureAdjustments kStoredDefaults{80, 70, 49, 49};

struct Picture {
    TestPlanes planes;
    ColourMatrix colour;
    std::vector<std::uint8_t> out;

    Picture(int w, int h, std::size_t stride) : planes(RandomPlanes(w, h, 1)), out(stride * h) {
        BuildColourMatrix(kStoredDefaults, colour);
    }
};

void SetUpCounters(benchmark::State& state, std::size_t outBytes) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * outBytes));
}

void BM_ConvertScalar(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    Picture p(w, h, ScalarPictureStride(w));
    for (auto _ : state) {
        ConvertPlanesScalar(p.colour, p.planes.View(), p.out.data());
        benchmark::ClobberMemory();
    }
    SetUpCounters(state, p.out.size());
}

void ConvertPacked(benchmark::State& state, RowKernel convertRow) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    Picture p(w, h, PackedPictureStride(w));
    for (auto _ : state) {
        ConvertPlanesPacked(p.colour, p.planes.View(), p.out.data(), PackedPictureStride(w),
                            convertRow);
        benchmark::ClobberMemory();
    }
    SetUpCounters(state, p.out.size());
}

// With the row the conversion picks for this processor, and with the portable row.
void BM_ConvertPacked(benchmark::State& state) {
    ConvertPacked(state, FastestColourKernels().packedRow);
}
void BM_ConvertPackedPortable(benchmark::State& state) {
    ConvertPacked(state, ConvertPackedRow);
}

void BM_CopyOutputBytes(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const std::size_t bytes = PackedPictureStride(w) * h;
    std::vector<std::uint8_t> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::ClobberMemory();
    }
    SetUpCounters(state, bytes);
}

void BM_BuildColourMatrix(benchmark::State& state) {
    ColourMatrix colour;
    PictureAdjustments a = kStoredDefaults;
    for (auto _ : state) {
        a.hue = (a.hue + 1) % 100;
        BuildColourMatrix(a, colour);
        benchmark::DoNotOptimize(colour);
    }
}

void PictureSizes(benchmark::internal::Benchmark* b) {
    b->Args({640, 480})->Args({1280, 1024})->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_CopyOutputBytes)->Apply(PictureSizes);
BENCHMARK(BM_ConvertScalar)->Apply(PictureSizes);
BENCHMARK(BM_ConvertPacked)->Apply(PictureSizes);
BENCHMARK(BM_ConvertPackedPortable)->Apply(PictureSizes);
BENCHMARK(BM_BuildColourMatrix)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orvik

BENCHMARK_MAIN();
