// The system clipboard, text only: list editing copies command texts to it and pastes
// from it.
#pragma once

#include <QString>

namespace kel {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The clipboard's text; empty when it holds no text.
    virtual QString Text() const = 0;
    // Replaces whatever the clipboard holds with the text.
    virtual void SetText(const QString& text) = 0;
};

// A clipboard in memory, for tests and for running without a window system.
class MemoryClipboard : public Clipboard {
public:
    QString Text() const override { return text_; }
    void SetText(const QString& text) override { text_ = text; }

private:
    QString text_;
};

}  // namespace kel
