// orvik-view: the viewer. An optional argument names a root folder to open at once, as if
// the user had chosen it.
//
//   orvik-view [root folder]

#include <QApplication>

#include "shell/main_window.h"
#include "shell/services/error_box.h"
#include "shell/services/folder_chooser.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    orvik::InstallErrorBox();
    orvik::MainWindow window(
        [](QWidget* owner, char* path) { orvik::ChooseFolder(owner, path, orvik::kPathCapacity); });
    // Shown with the application's own loop, not as a modal dialog: the colour settings
    // window must stay usable beside it.
    window.show();
    if (argc > 1) {
        window.OpenFolder(argv[1]);
    }
    app.exec();
    return 0;
}
