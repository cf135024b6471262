#include "app/MainWindow.h"

#include <QListWidget>

#include "editor/Editor.h"

namespace kel {

MainWindow::MainWindow(Editor& editor, QWidget* parent)
    : QMainWindow(parent), editor_(editor), list_(new QListWidget(this)) {
    list_->setObjectName(QStringLiteral("KelList"));
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    list_->setFont(mono);
    setCentralWidget(list_);
    resize(900, 600);
    setWindowTitle(editor_.Title());
    connect(&editor_, &Editor::TitleChanged, this, &QWidget::setWindowTitle);
    const KelList* kelList = &editor_.List();
    connect(kelList, &KelList::ListReset, this, &MainWindow::ShowList);
    connect(kelList, &KelList::LinesInserted, this, &MainWindow::ShowList);
    connect(kelList, &KelList::LinesRemoved, this, &MainWindow::ShowList);
    connect(kelList, &KelList::LineChanged, this, &MainWindow::ShowList);
    ShowList();
}

void MainWindow::ShowList() {
    list_->clear();
    list_->addItems(editor_.List().Lines());
}

}  // namespace kel
