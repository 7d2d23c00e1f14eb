// One playback tick with a frame due, at 1280 x 1024: the tick moves the play clock, the
// clip library reads and decodes the frame that is due, PresentFrame draws it into the
// picture surface, and the window's paint that the tick asked for copies the picture area
// to the window (offscreen platform). Frames are half a second apart, so at the default
// speed of 5 every tick has one due. Qualities 75 and 90, in the variant the viewer decodes
// with: the processor's, which its window's clip library is made with.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <cstdint>
#include <string>

#include "bench/bench_frames.h"
#include "decoder/decoder_context.h"
#include "library/play_state.h"
#include "shell/main_window.h"
#include "shell/player.h"
#include "testing/support/temp_tree.h"

namespace orvik::bench {
namespace {

constexpr std::int32_t kFrameInterval = 50;  // hundredths: the clock's step at speed 5
constexpr int kFramesInFolder = 40;
constexpr qint64 kReadingTimeoutMs = 20000;

void PlaybackTick(benchmark::State& state, const CodedFrame& coded, DecoderVariant variant) {
    test::TempTree tree;
    WriteDateFolder(tree.Root(), coded.frame, kFramesInFolder, kFrameInterval);
    MainWindow window([](QWidget*, char*) {});
    Player& player = window.ThePlayer();
    player.Timer().stop();  // the benchmark fires every tick itself
    window.show();
    QApplication::processEvents();
    window.OpenFolder(QString::fromStdString(tree.Root()));
    // The recording is read off the window's thread; play waits until it is.
    QElapsedTimer waited;
    waited.start();
    while (player.Reading() && waited.elapsed() < kReadingTimeoutMs) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    player.play();
    if (player.Library().Decoder().variant != variant) {
        state.SkipWithError("the window decodes in another variant");
        return;
    }
    if (player.State() != PlayState::PlayingForward) {
        state.SkipWithError("the generated folder did not play");
        return;
    }
    std::int64_t framesShown = 0;
    for (auto _ : state) {
        const std::int32_t before = player.ShownNumber();
        player.tick();
        QApplication::processEvents();  // the paint the tick asked for
        framesShown += player.ShownNumber() != before ? 1 : 0;
        if (player.State() != PlayState::PlayingForward) {  // off the folder's end: again
            state.PauseTiming();
            player.stop();
            player.play();
            state.ResumeTiming();
        }
    }
    state.counters["frames_per_tick"] =
        static_cast<double>(framesShown) / static_cast<double>(state.iterations());
}

}  // namespace
}  // namespace orvik::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QStandardPaths::setTestModeEnabled(true);  // the user's stored adjustments stay out of it
    QApplication app(argc, argv);
    constexpr orvik::bench::PictureSize kSize[] = {{1280, 1024}};
    return orvik::bench::RunBenchmarks(argc, argv, [&kSize] {
        orvik::bench::ForEachFrame(
            "PlaybackTick", kSize,
            [](const orvik::bench::CodedFrame& coded, const std::string& name) {
                orvik::bench::RegisterVariant(name, coded, orvik::bench::PlaybackTick,
                                              benchmark::kMillisecond, orvik::ProcessorVariant());
            });
    });
}
