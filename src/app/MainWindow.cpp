#include "app/MainWindow.h"

#include <QListWidget>

#include "common/TextFile.h"
#include "script/ScriptFile.h"

namespace kel {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), list_(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("KEL Script Editor"));
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    list_->setFont(mono);
    setCentralWidget(list_);
    resize(900, 600);
}

bool MainWindow::OpenScript(const QString& path, QString* error) {
    const ScriptReadResult file = ReadScriptFile(path);
    if (!file.ok) {
        if (error) *error = file.error;
        return false;
    }
    list_->clear();
    for (const QString& text : file.statements) {
        // Bytes that are not Shift-JIS are shown as \xNN.
        QString shown = ShowRawBytes(text);
        shown.replace(QLatin1String("\r\n"), QStringLiteral(" \u23CE "));
        shown.replace(QLatin1Char('\t'), QLatin1Char(' '));
        list_->addItem(shown);
    }
    setWindowTitle(QStringLiteral("KEL Script Editor - ") + path);
    return true;
}

}  // namespace kel
