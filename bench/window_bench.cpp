// The main window over a large script, offscreen: opening to the first paint of the list,
// scrolling to the end, select-all, and select-all followed by a lump input over every line.
//   window_bench FILE.kel
#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

#include "app/EditorApp.h"
#include "app/MainWindow.h"
#include "app/Settings.h"
#include "platform/Platform.h"

using namespace kel;

namespace {

// Waits until `widget` has painted once more.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget* widget) { widget->installEventFilter(this); }
    void WaitForPaint() {
        painted_ = false;
        while (!painted_) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted_ = true;
        return false;
    }

private:
    bool painted_ = false;
};

// Wall time and the process's CPU time since the last report (the machine may be shared).
std::clock_t lastCpu = 0;
void Report(const char* what, qint64 ms) {
    const std::clock_t now = std::clock();
    std::printf("%-44s %8lld ms  (cpu %lld ms)\n", what, (long long)ms,
                (long long)((now - lastCpu) * 1000 / CLOCKS_PER_SEC));
    lastCpu = now;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_bench FILE.kel\n");
        return 2;
    }
    QTemporaryDir settings;
    qputenv(kSettingsDirVariable, settings.path().toLocal8Bit());
    PlatformDoubles platform;
    platform.scriptedPrompts.SetDefaultMessageAnswer(kAnswerYes);
    EditorApp editorApp(MakeEditorServices(platform, nullptr));
    MainWindow window(editorApp);
    if (!editorApp.StartUp(false)) return 1;
    window.AfterStartUp();
    window.show();
    auto* list = window.findChild<QListView*>(QStringLiteral("KelList"));
    PaintWatch watch(list->viewport());
    watch.WaitForPaint();

    QElapsedTimer t;
    t.start();
    lastCpu = std::clock();
    editorApp.editor().DoOpenKelFile(QString::fromLocal8Bit(argv[1]));
    watch.WaitForPaint();
    Report("open to first paint", t.elapsed());
    std::printf("%-44s %8d\n", "lines", editorApp.editor().List().Count());

    t.restart();
    lastCpu = std::clock();
    list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
    watch.WaitForPaint();
    Report("scroll to the end and paint", t.elapsed());

    t.restart();
    lastCpu = std::clock();
    window.RunNamed(QStringLiteral("MenuEditSelectAll"));
    watch.WaitForPaint();
    Report("select all and paint", t.elapsed());

    t.restart();
    lastCpu = std::clock();
    platform.scriptedPrompts.SetDefaultInput(QStringLiteral("str=Join(oid,gid)"));
    window.RunNamed(QStringLiteral("MenuEditSelectAll"));
    window.RunNamed(QStringLiteral("MenuExecLumpInput"));
    watch.WaitForPaint();
    Report("select all + lump input str=Join(oid,gid)", t.elapsed());
    std::printf("%-44s %s\n", "line 20 after the lump input",
                qPrintable(editorApp.editor().CommandTextAt(20).left(70)));

    t.restart();
    lastCpu = std::clock();
    editorApp.editor().SetFileName(QString::fromLocal8Bit(argv[1]));
    window.RunNamed(QStringLiteral("MenuFileAppend"));
    watch.WaitForPaint();
    Report("append the same file and paint", t.elapsed());
    std::printf("%-44s %8d\n", "lines", editorApp.editor().List().Count());
    editorApp.editor().SetEditFg(0);
    return 0;
}
