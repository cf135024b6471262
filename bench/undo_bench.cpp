// Undo and redo of a bulk input over a large script in the main window (offscreen), and the
// recovery copy of the result:
//   undo_bench SCRIPT
// Opens SCRIPT, runs "str=Join(oid,gid)" as Lump Input over every line, then undoes and
// redoes it; each time includes the list view catching up. Then times what the recovery copy
// costs the editor's thread (collecting the command texts) and the whole write.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

#include "app/EditorApp.h"
#include "app/MainWindow.h"
#include "platform/Platform.h"

using namespace kel;

namespace {

double Ms(QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: undo_bench SCRIPT\n", stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings, data;
    qputenv("KEL_SETTINGS_DIR", settings.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    QApplication app(argc, argv);
    PlatformDoubles platform;
    EditorApp editorApp(MakeEditorServices(platform, nullptr));
    MainWindow window(editorApp);
    if (!editorApp.StartUp(false)) return 1;
    window.AfterStartUp();
    window.show();
    Editor& e = editorApp.editor();
    const auto run = [&](const char* name) {
        QElapsedTimer t;
        t.start();
        window.RunNamed(QString::fromLatin1(name));
        QCoreApplication::processEvents();
        return Ms(t);
    };
    e.SetFileName(QString::fromLocal8Bit(argv[1]));
    const double open = run("MenuFileOpen");
    const QStringList opened = e.CommandTextsInOrder();
    platform.scriptedPrompts.Type(QStringLiteral("str=Join(oid,gid)"));
    const double lump = run("MenuExecLumpInput");
    const QStringList lumped = e.CommandTextsInOrder();
    const double undo = run("MenuEditUndo");
    const bool undoOk = e.CommandTextsInOrder() == opened && e.EditFg() == 0;
    const double redo = run("MenuEditRedo");
    const bool redoOk = e.CommandTextsInOrder() == lumped && e.EditFg() == 1;

    QElapsedTimer t;
    t.start();
    const QStringList texts = e.CommandTextsInOrder();
    const double collect = Ms(t);
    t.restart();
    editorApp.Recovery().WriteNow();
    const double write = Ms(t);

    std::printf("lines                 %lld\n", static_cast<long long>(opened.size()));
    std::printf("open                  %9.1f ms\n", open);
    std::printf("lump input            %9.1f ms\n", lump);
    std::printf("undo lump input       %9.1f ms  %s\n", undo, undoOk ? "ok" : "WRONG");
    std::printf("redo lump input       %9.1f ms  %s\n", redo, redoOk ? "ok" : "WRONG");
    std::printf("recovery: collect     %9.1f ms  (editor thread)\n", collect);
    std::printf("recovery: write       %9.1f ms  (worker, waited for here)\n", write);
    editorApp.Recovery().Discard();
    platform.scriptedPrompts.SetDefaultMessageAnswer(6);
    return undoOk && redoOk && texts.size() == lumped.size() ? 0 : 1;
}
