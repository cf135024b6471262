// Questions to the user: the standard message box, the input box, the file open and save
// dialogs and the colour dialog. The editor asks every question through this interface
// (its MsgBox2/InputBox2 wrappers call it), so that the windows can be replaced by a
// scripted double in tests.
//
// Message boxes keep the Windows button codes, because the callers pass them as numbers:
// the low digit picks the buttons, 16/32/48/64 add an icon, 256/512 make the second or
// third button the default. The answer is the code of the pressed button.
#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace kel {

// Buttons (the value modulo 16).
constexpr int kButtonsOk = 0;
constexpr int kButtonsOkCancel = 1;
constexpr int kButtonsAbortRetryIgnore = 2;
constexpr int kButtonsYesNoCancel = 3;
constexpr int kButtonsYesNo = 4;
constexpr int kButtonsRetryCancel = 5;
// Icons.
constexpr int kIconCritical = 16;
constexpr int kIconQuestion = 32;
constexpr int kIconExclamation = 48;
constexpr int kIconInformation = 64;
// Default button.
constexpr int kDefaultButton2 = 256;
constexpr int kDefaultButton3 = 512;
// The two questions that guard against lost work: Yes/No with the second button (No) as
// the default, with the exclamation (308) or the question icon (292).
constexpr int kAskLoseWork = kButtonsYesNo + kIconExclamation + kDefaultButton2;  // 308
constexpr int kAskOverwrite = kButtonsYesNo + kIconQuestion + kDefaultButton2;    // 292

// Answers.
constexpr int kAnswerOk = 1;
constexpr int kAnswerCancel = 2;
constexpr int kAnswerAbort = 3;
constexpr int kAnswerRetry = 4;
constexpr int kAnswerIgnore = 5;
constexpr int kAnswerYes = 6;
constexpr int kAnswerNo = 7;

enum class MessageIcon { None, Critical, Question, Exclamation, Information };

// A button code taken apart: the answer codes of the buttons from left to right, the
// index of the default button among them and the icon. Unknown button digits (6 to 15)
// give a plain OK box; a default index past the last button falls back to the first, as
// the system's message box does.
struct MessageBoxLayout {
    QList<int> answers;
    int defaultIndex = 0;
    MessageIcon icon = MessageIcon::None;

    int DefaultAnswer() const { return answers.value(defaultIndex, kAnswerOk); }
    // The answer when the box is closed without pressing a button: Cancel where there is
    // a Cancel button, OK for a lone OK button, otherwise none (0): such a box cannot be
    // closed that way.
    int EscapeAnswer() const;
};

MessageBoxLayout DecodeMessageButtons(int buttons);

struct InputAnswer {
    QString text;            // the typed text; empty when cancelled
    bool cancelled = false;
};

// A file dialog. `filter` is a filter list in the Windows form
// "Description (*.ext)|*.ext|All (*.*)|*.*|" (see FileFilters.h); `filterIndex` is the
// 1-based filter shown first; `initialPath` is a folder, a file name or a full path.
struct FileDialogRequest {
    QString title;
    QString filter;
    int filterIndex = 1;
    QString initialPath;
};

struct RgbColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const RgbColour&, const RgbColour&) = default;
};

class Prompts {
public:
    virtual ~Prompts() = default;

    // The standard message box; returns the answer code of the pressed button.
    virtual int Message(const QString& prompt, int buttons, const QString& title) = 0;
    // The input box with a default text.
    virtual InputAnswer Input(const QString& prompt, const QString& title,
                              const QString& defaultText) = 0;
    // File dialogs: the chosen full path, or empty when cancelled. The save dialog does not
    // ask about overwriting an existing file; the callers ask that themselves.
    virtual QString OpenFileName(const FileDialogRequest& request) = 0;
    virtual QString SaveFileName(const FileDialogRequest& request) = 0;
    // The colour dialog preset to `initial`; nothing when cancelled.
    virtual std::optional<RgbColour> PickColour(const RgbColour& initial,
                                                const QString& title) = 0;
};

}  // namespace kel
