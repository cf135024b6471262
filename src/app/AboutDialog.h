// The About box: the program's name and version, the Qt version it runs on and where its
// settings files are.
#pragma once

#include <QDialog>

namespace kel {

class EditorApp;

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(const EditorApp& app, QWidget* parent = nullptr);
    // The text the box shows.
    static QString AboutText(const EditorApp& app);
};

}  // namespace kel
