// orvik-view: the viewer. An optional argument names a root folder to open at once, as if
// the user had chosen it. With --quit-after-first-frame the viewer ends as soon as the
// playback tick has presented the first frame and prints how long that took from the
// start of main, for timing the start-up; with --quit-after-scan it ends as soon as the
// recording has been read whole and prints how long that took. --help and --version are
// answered before Qt starts, so they need no display.
//
//   orvik-view [--quit-after-first-frame | --quit-after-scan] [root folder]

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "orvik_version.h"
#include "platform/paths.h"
#include "shell/main_window.h"
#include "shell/player.h"
#include "shell/services/error_box.h"
#include "shell/services/folder_chooser.h"

namespace {

constexpr char kQuitAfterFirstFrame[] = "--quit-after-first-frame";
constexpr char kQuitAfterScan[] = "--quit-after-scan";

constexpr char kUsage[] =
    "Usage: orvik-view [OPTION]... [FOLDER]\n"
    "Views and plays the picture recording whose root folder is FOLDER: its date folders\n"
    "ordered by time, one frame at a time. Without FOLDER the window opens empty and its\n"
    "folder button chooses a recording.\n"
    "\n"
    "Options:\n"
    "  --quit-after-first-frame  end as soon as the first frame is shown and print how\n"
    "                            long the start took\n"
    "  --quit-after-scan         end as soon as the recording is read and print how\n"
    "                            long that took\n"
    "  --help                    print this help and end\n"
    "  --version                 print the version and end\n";

// Answers --help and --version; false when neither is asked for.
bool AnsweredInformationOption(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("orvik-view %s\n", orvik::kVersion);
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const auto started = std::chrono::steady_clock::now();
    if (AnsweredInformationOption(argc, argv)) {
        return 0;
    }
    QApplication app(argc, argv);
    bool quitAfterFirstFrame = false;
    bool quitAfterScan = false;
    std::optional<std::string> rootFolder;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], kQuitAfterFirstFrame) == 0) {
            quitAfterFirstFrame = true;
        } else if (std::strcmp(argv[i], kQuitAfterScan) == 0) {
            quitAfterScan = true;
        } else {
            // As the folder chooser would give it: "demo" typed in a shell is no root to scan.
            rootFolder = orvik::AbsoluteFolderPath(argv[i]);
        }
    }
    orvik::InstallErrorBox();
    orvik::MainWindow window(
        [](QWidget* owner, char* path) { orvik::ChooseFolder(owner, path, orvik::kPathCapacity); });
    bool firstFramePresented = false;
    if (quitAfterFirstFrame) {
        QObject::connect(&window.ThePlayer(), &orvik::Player::framePresented, &app,
                         [&firstFramePresented, started] {
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
    window.activateWindow();  // keys work at once, also where no window manager gives focus
    if (quitAfterScan) {
        QObject::connect(&window.ThePlayer(), &orvik::Player::recordingOpened, &app, [started] {
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - started;
            std::printf("recording read after %.1f ms\n", took.count());
            std::fflush(stdout);
            QApplication::quit();
        });
    }
    if (rootFolder) {
        window.OpenFolder(QString::fromLocal8Bit(rootFolder->c_str()));
    } else if (quitAfterScan) {
        return 0;  // nothing to read
    }
    app.exec();
    return 0;
}
