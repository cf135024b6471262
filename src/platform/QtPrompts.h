// The real Prompts: Qt's message box, input dialog, file dialogs and colour dialog, all
// modal to the given parent window.
#pragma once

#include "platform/Prompts.h"

#include <QPointer>
#include <QWidget>

namespace kel {

class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    // Closing the box without a button answers Cancel where there is one, OK for a lone OK
    // button, and otherwise No, the answer that changes nothing.
    int Message(const QString& prompt, int buttons, const QString& title) override;
    InputAnswer Input(const QString& prompt, const QString& title,
                      const QString& defaultText) override;
    QString OpenFileName(const FileDialogRequest& request) override;
    QString SaveFileName(const FileDialogRequest& request) override;
    std::optional<RgbColour> PickColour(const RgbColour& initial, const QString& title) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace kel
