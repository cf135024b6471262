// The editor's main window. For now it shows the statements of the opened script, one per
// line, under the title "KEL Script Editor".
#pragma once

#include <QMainWindow>

class QListWidget;

namespace kel {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    // Loads a script; returns false (and shows nothing new) when it cannot be read.
    bool OpenScript(const QString& path, QString* error = nullptr);

private:
    QListWidget* list_ = nullptr;
};

}  // namespace kel
