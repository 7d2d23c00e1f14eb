// orvik-view: the viewer. An optional argument names a root folder to open at once, as if
// the user had chosen it. With --quit-after-first-frame the viewer ends as soon as the
// playback tick has presented the first frame and prints how long that took from the
// start of main, for timing the start-up.
//
//   orvik-view [--quit-after-first-frame] [root folder]

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "shell/main_window.h"
#include "shell/services/error_box.h"
#include "shell/services/folder_chooser.h"

namespace {

constexpr char kQuitAfterFirstFrame[] = "--quit-after-first-frame";

}  // namespace

int main(int argc, char** argv) {
    const auto started = std::chrono::steady_clock::now();
    QApplication app(argc, argv);
    bool quitAfterFirstFrame = false;
    const char* rootFolder = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], kQuitAfterFirstFrame) == 0) {
            quitAfterFirstFrame = true;
        } else {
            rootFolder = argv[i];
        }
    }
    orvik::InstallErrorBox();
    orvik::MainWindow window(
        [](QWidget* owner, char* path) { orvik::ChooseFolder(owner, path, orvik::kPathCapacity); });
    bool firstFramePresented = false;
    if (quitAfterFirstFrame) {
        window.SetFramePresentedHook([&firstFramePresented, started] {
            if (firstFramePresented) {
                return;  // a tick that ran before the loop ended
            }
            firstFramePresented = true;
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - started;
            std::printf("first frame presented after %.1f ms\n", took.count());
            std::fflush(stdout);
            QApplication::quit();
        });
    }
    // Shown with the application's own loop, not as a modal dialog: the colour settings
    // window must stay usable beside it.
    window.show();
    if (rootFolder != nullptr) {
        window.OpenFolder(rootFolder);
    }
    app.exec();
    return 0;
}
