// One step of a colour slider on a 640 x 480 frame: SetPictureAdjustments stores the new
// value, rebuilds the colour matrix, reads the frame file shown again and decodes it to the
// picture. The frame sits in a generated date folder, opened through the scan and the first
// frame load, as the viewer opens a recording; both variants, qualities 75 and 90.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "bench/bench_frames.h"
#include "decoder/decoder_context.h"
#include "library/file_manager.h"
#include "library/play_state.h"
#include "testing/support/temp_tree.h"

namespace orvik::bench {
namespace {

constexpr PictureAdjustments kStoredDefaults{80, 70, 49, 49};
constexpr std::int32_t kFrameInterval = 20;  // hundredths: five frames a second
constexpr int kFramesInFolder = 5;

void SliderStep(benchmark::State& state, const CodedFrame& coded, DecoderVariant variant) {
    test::TempTree tree;
    WriteDateFolder(tree.Root(), coded.frame, kFramesInFolder, kFrameInterval);
    const auto manager = std::make_unique<CMavFileManager>(variant);
    char root[kPathCapacity];
    std::snprintf(root, sizeof root, "%s", tree.Root().c_str());
    if (manager->ScanFolderTree(root) != 0 || !manager->LoadFirstFrame()) {
        state.SkipWithError("the generated folder did not open");
        return;
    }
    PictureAdjustments a = kStoredDefaults;
    for (auto _ : state) {
        a.hue = a.hue == 49 ? 50 : 49;  // the hue slider moved one step to and fro
        if (!manager->SetPictureAdjustments(a.brightness, a.contrast, a.hue, a.saturation)) {
            state.SkipWithError("the frame shown did not load again");
            break;
        }
        benchmark::ClobberMemory();
    }
}

}  // namespace
}  // namespace orvik::bench

int main(int argc, char** argv) {
    constexpr orvik::bench::PictureSize kSize[] = {{640, 480}};
    return orvik::bench::RunVariantBenchmarks(argc, argv, "SliderStep", kSize,
                                              orvik::bench::SliderStep, benchmark::kMillisecond);
}
