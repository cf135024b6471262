#include <QApplication>
#include <QMessageBox>

#include "app/MainWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    kel::MainWindow window;
    const QStringList args = app.arguments();
    if (args.size() > 1) {
        QString error;
        if (!window.OpenScript(args[1], &error))
            QMessageBox::warning(&window, QStringLiteral("KEL Script Editor"),
                                 args[1] + QStringLiteral(": ") + error);
    }
    window.show();
    return app.exec();
}
