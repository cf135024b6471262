#include <QApplication>

#include "app/EditorSession.h"
#include "app/MainWindow.h"
#include "platform/QtPlatform.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    kel::QtPlatform platform;
    kel::EditorSession session(kel::MakeEditorServices(platform, nullptr));
    kel::Editor& editor = session.editor();
    kel::MainWindow window(editor);
    window.show();
    // A script named on the command line opens through the editor, with its checks and
    // warnings (size limits, bytes that are not Shift-JIS).
    const QStringList args = app.arguments();
    if (args.size() > 1) editor.DoOpenKelFile(args[1]);
    return app.exec();
}
