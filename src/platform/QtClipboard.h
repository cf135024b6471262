// The real Clipboard: the window system's clipboard through QGuiApplication. Without a
// GUI application object it holds nothing and ignores writes.
#pragma once

#include "platform/Clipboard.h"

namespace kel {

class QtClipboard : public Clipboard {
public:
    QString Text() const override;
    void SetText(const QString& text) override;
};

}  // namespace kel
