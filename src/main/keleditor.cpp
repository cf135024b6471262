#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "app/EditorApp.h"
#include "app/MainWindow.h"
#include "platform/QtPlatform.h"

namespace {

const char kUsage[] =
    "Usage: keleditor [-n | PATH [-o]]\n"
    "The KEL script editor.\n"
    "\n"
    "  -n          start with a new document\n"
    "  PATH [-o]   open the script PATH\n"
    "  --help      show this text\n"
    "  --version   show the version\n"
    "\n"
    "Settings files (KelEditor.ini, KelEditor.dat) are read from the program's folder,\n"
    "or from the folder named by the environment variable KEL_SETTINGS_DIR.\n"
    "Recovery copies of unsaved work are kept in $XDG_DATA_HOME/KelEditor/recovery\n"
    "(~/.local/share/KelEditor/recovery).\n";

}  // namespace

int main(int argc, char** argv) {
    // Answered without opening a window (or needing a display).
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("keleditor %s\n", KEL_VERSION);
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KelEditor"));
    QApplication::setApplicationVersion(QStringLiteral(KEL_VERSION));

    kel::QtPlatform platform;
    kel::EditorApp editorApp(kel::MakeEditorServices(platform, nullptr));
    kel::MainWindow window(editorApp);
    platform.qtPrompts.SetParent(&window);

    const QStringList words = app.arguments().mid(1);
    editorApp.SetMainWindowPosition(window.pos(), window.frameGeometry().height());
    if (!editorApp.StartUp(!words.isEmpty())) return 1;
    window.AfterStartUp();
    window.show();
    // Work left by an editor that did not end normally is offered, then the command line
    // runs, once the window is on the screen.
    QTimer::singleShot(0, &window, [&] {
        editorApp.OfferRecovery();
        editorApp.RunCommandLine(words);
    });
    return app.exec();
}
