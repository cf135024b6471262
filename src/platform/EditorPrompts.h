// The editor's questions and progress, as every subsystem reaches them: the message and input
// boxes (MsgBox2, InputBox2) that apply the auto-answer switch before they ask the platform's
// Prompts, and the title that shows the progress of long loops (CaptionRoll).
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <atomic>
#include <functional>

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

    // --- Cancelling long work -----------------------------------------------------------
    // A long operation (a bulk input, a sort, a selection or search by condition, a Calc)
    // runs inside a LongWork scope. The window shows its progress with a Cancel button while
    // OnLongWork(true) holds (the editor emits LongWorkChanged), and keeps itself responsive
    // through `keepResponsive`, which CaptionRoll runs a few times a second during long work.
    // Cancel (or Ctrl+C on the command line) calls RequestCancel(): the formula being
    // evaluated stops at once and the operation puts back everything it changed.
    // Safe to call from a signal handler.
    void RequestCancel() { cancel_.store(true, std::memory_order_relaxed); }
    // Whether the running operation was asked to stop.
    bool CancelRequested() const { return cancel_.load(std::memory_order_relaxed); }
    bool LongWorkRunning() const { return longWork_ > 0; }
    // The window's event processing during long work (empty: none).
    std::function<void()> keepResponsive;
    // Runs keepResponsive during long work, at most every 100 ms (the first time at once).
    // CaptionRoll calls it with each progress step; work without steps of its own (one
    // formula that walks the list again and again) calls it now and then.
    void KeepResponsive() {
        if (longWork_ <= 0 || !keepResponsive) return;
        if (responsiveTimer_.isValid() && responsiveTimer_.elapsed() < 100) return;
        responsiveTimer_.start();
        keepResponsive();
    }

    // While set, MsgBox2 answers Yes without asking (drops, imports and formulas that run
    // operations which would otherwise ask). Set it for a scope with AutoAnswerGuard.
    bool AutoAnswerYes() const { return autoAnswerYes_; }
    void SetAutoAnswerYes(bool on) { autoAnswerYes_ = on; }

protected:
    EditorPrompts() = default;
    // A copy takes the switches, not a running operation's state.
    EditorPrompts(const EditorPrompts& o) : keepResponsive(o.keepResponsive), autoAnswerYes_(o.autoAnswerYes_) {}
    EditorPrompts& operator=(const EditorPrompts& o) {
        keepResponsive = o.keepResponsive;
        autoAnswerYes_ = o.autoAnswerYes_;
        return *this;
    }
    // Long work started (true) or ended (false).
    virtual void OnLongWork(bool running) { (void)running; }

private:
    friend class LongWork;
    bool autoAnswerYes_ = false;
    std::atomic<bool> cancel_{false};
    int longWork_ = 0;
    QElapsedTimer responsiveTimer_;
};

// While alive, a long operation runs (see above); the outermost scope starts with no cancel
// request and ends with none.
class LongWork {
public:
    explicit LongWork(EditorPrompts& prompts) : prompts_(prompts), outermost_(prompts.longWork_ == 0) {
        ++prompts_.longWork_;
        if (!outermost_) return;
        prompts_.cancel_.store(false, std::memory_order_relaxed);
        prompts_.responsiveTimer_.invalidate();
        prompts_.OnLongWork(true);
    }
    ~LongWork() {
        --prompts_.longWork_;
        if (!outermost_) return;
        prompts_.cancel_.store(false, std::memory_order_relaxed);
        prompts_.OnLongWork(false);
    }
    LongWork(const LongWork&) = delete;
    LongWork& operator=(const LongWork&) = delete;
    bool Cancelled() const { return prompts_.CancelRequested(); }

private:
    EditorPrompts& prompts_;
    bool outermost_;
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
