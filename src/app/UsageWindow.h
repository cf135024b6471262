// The usage window "Command Usage": one text box (`UsageText`) with the usage notes the
// input prompts have collected, kept up to date with the editor.
#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace kel {

class Editor;

class UsageWindow : public QWidget {
    Q_OBJECT
public:
    explicit UsageWindow(Editor& editor, QWidget* parent = nullptr);

Q_SIGNALS:
    void Hidden();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    QPlainTextEdit* text_ = nullptr;
};

}  // namespace kel
