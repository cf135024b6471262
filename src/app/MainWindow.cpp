#include "app/MainWindow.h"

#include <QListWidget>

#include "common/TextFile.h"
#include "script/Statement.h"

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
    const TextReadResult file = ReadTextFile(path);
    if (!file.ok) {
        if (error) *error = file.error;
        return false;
    }
    list_->clear();
    LineSource source(file.lines);
    while (!source.AtEnd()) {
        const QString text = ReadStatement(source);
        if (text.isEmpty() && source.AtEnd()) break;
        QString shown = text;
        shown.replace(QLatin1String("\r\n"), QLatin1String(" ⏎ "));
        list_->addItem(shown);
    }
    setWindowTitle(QStringLiteral("KEL Script Editor - ") + path);
    return true;
}

}  // namespace kel
