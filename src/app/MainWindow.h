// The editor's main window. For now it shows the command list of the editor's document, one
// line per command, under the editor's title.
#pragma once

#include <QMainWindow>

class QListWidget;

namespace kel {

class Editor;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // The window observes `editor`, which must outlive it.
    explicit MainWindow(Editor& editor, QWidget* parent = nullptr);

private:
    void ShowList();

    Editor& editor_;
    QListWidget* list_ = nullptr;
};

}  // namespace kel
