// The editor's questions and progress, as every subsystem reaches them: the message and input
// boxes (MsgBox2, InputBox2) that apply the auto-answer switch before they ask the platform's
// Prompts, and the title that shows the progress of long loops (CaptionRoll).
#pragma once

#include <QString>

namespace kel {

class EditorPrompts {
public:
    virtual ~EditorPrompts() = default;

    // The standard message box (button codes as in platform/Prompts.h); answers Yes
    // (kAnswerYes) without asking while AutoAnswerYes is set.
    virtual int MsgBox2(const QString& prompt, int buttons, const QString& title) = 0;
    // The input box; empty on cancel. A non-empty note is added to the usage text once
    // (its head, up to and including the first "]", is the key).
    virtual QString InputBox2(const QString& prompt, const QString& title,
                              const QString& defaultText, const QString& note = QString()) = 0;
    // The title becomes the base title followed by `suffix`; kCaptionOff restores the base
    // title.
    virtual void CaptionRoll(const QString& suffix) = 0;
    static inline const QString kCaptionOff = QStringLiteral("Off");

    // Progress of a long loop: every kProgressStep-th step (counted by `step`) the title
    // shows `shown` (the step itself when negative). Restore the title with kCaptionOff.
    static constexpr int kProgressStep = 500;
    void RollProgress(qsizetype step, qsizetype shown = -1) {
        if (step % kProgressStep == 0)
            CaptionRoll(QLatin1Char(' ') + QString::number(shown < 0 ? step : shown));
    }

    // While set, MsgBox2 answers Yes without asking (drops, imports and formulas that run
    // operations which would otherwise ask). Set it for a scope with AutoAnswerGuard.
    bool AutoAnswerYes() const { return autoAnswerYes_; }
    void SetAutoAnswerYes(bool on) { autoAnswerYes_ = on; }

protected:
    EditorPrompts() = default;
    EditorPrompts(const EditorPrompts&) = default;
    EditorPrompts& operator=(const EditorPrompts&) = default;

private:
    bool autoAnswerYes_ = false;
};

// Sets AutoAnswerYes for a scope and puts the old value back, also when the scope is left
// early.
class AutoAnswerGuard {
public:
    explicit AutoAnswerGuard(EditorPrompts& prompts, bool on = true)
        : prompts_(prompts), old_(prompts.AutoAnswerYes()) {
        prompts_.SetAutoAnswerYes(on);
    }
    ~AutoAnswerGuard() { prompts_.SetAutoAnswerYes(old_); }
    AutoAnswerGuard(const AutoAnswerGuard&) = delete;
    AutoAnswerGuard& operator=(const AutoAnswerGuard&) = delete;

private:
    EditorPrompts& prompts_;
    bool old_;
};

}  // namespace kel
