// An editing session as a process of its own, for the tests that end an editor abruptly:
// the program's start-up (settings from KEL_SETTINGS_DIR, recovery copies in
// $XDG_DATA_HOME/KelEditor/recovery), a document opened and one bulk input that leaves it
// modified. Then it runs until it is killed (or for a minute at most).
//
//   kel_session_child DOCUMENT EQUATION
//
// Prints "edited" after the edit and "written MS" each time its recovery copy is written,
// MS being the milliseconds since the edit.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>

#include "app/EditorApp.h"
#include "platform/Platform.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fputs("usage: kel_session_child DOCUMENT EQUATION\n", stderr);
        return 2;
    }
    kel::PlatformDoubles platform;
    kel::EditorApp editorApp(kel::MakeEditorServices(platform, nullptr));
    if (!editorApp.StartUp(false)) return 1;
    kel::Editor& e = editorApp.editor();
    QElapsedTimer sinceEdit;
    QObject::connect(&editorApp.Recovery(), &kel::RecoveryKeeper::Written, &app, [&] {
        std::printf("written %lld\n", static_cast<long long>(sinceEdit.elapsed()));
        std::fflush(stdout);
    });
    e.SetFileName(args[1]);
    e.RunAction(QStringLiteral("MenuFileOpen"));
    platform.scriptedPrompts.Type(args[2]);
    e.RunAction(QStringLiteral("MenuExecLumpInput"));
    sinceEdit.start();
    std::printf("edited %d\n", e.EditFg());
    std::fflush(stdout);
    QTimer::singleShot(60000, &app, &QCoreApplication::quit);
    return app.exec();
}
