// Pieces shared by the operations that walk the whole command list with a formula
// (conditional selection, search, bulk input, sort, export): the prompt that asks for the
// formula, progress in the window title, and the scope that lets a walk hold its changes
// back while its formulas read only their own line.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace kel {

class ListDocument;
class FormulaEngine;

// The prompt step of a formula operation.
//   - `given` not empty and, trimmed, not ending with "=" (nor, with `askOnTrailingBlank`,
//     ending with a blank): used as it is, without a prompt;
//   - `given` ending with "=" (or a blank): the user is asked with `given` (trimmed) as the
//     default; `given` empty: asked with `last` as the default.
// The prompt is `message`, a line feed and 51 hyphens; the usage summary of `usageKind`
// goes with it. The answer is trimmed of blanks; a cancelled prompt gives the empty text.
struct PromptedText {
    QString text;
    bool asked = false;
};
PromptedText PromptStep(ListDocument& editor, const QString& given, const QString& last,
                        bool askOnTrailingBlank, const QString& message, const QString& title,
                        int usageKind);

// Progress of a walk in the window title: " i" after the base title, at the editor's
// progress step (EditorPrompts::RollProgress), so that a walk over 100,000 lines does not retitle
// the window 100,000 times.
class WalkProgress {
public:
    explicit WalkProgress(ListDocument& editor) : editor_(editor) {}
    void Show(int i);
    // Restores the base title ("Off").
    void Off();

private:
    ListDocument& editor_;
    qsizetype steps_ = 0;
};

// While alive, runs `flush` before the engine runs a function that is not pure: one that
// may look at other lines, the selection or the evaluator's state. A walk that keeps its
// changes aside (to put them in the list in one step) hands them over then, so that the
// function sees the list as a line-by-line walk would have left it. A hook that was set
// before (an enclosing walk) is run first and put back at the end.
class ImpureCallScope {
public:
    ImpureCallScope(FormulaEngine& engine, std::function<void()> flush);
    ~ImpureCallScope();
    ImpureCallScope(const ImpureCallScope&) = delete;
    ImpureCallScope& operator=(const ImpureCallScope&) = delete;

private:
    FormulaEngine& engine_;
    std::function<void()> previous_;
};

// A walk the user may cancel (LongWork, platform/EditorPrompts.h). A cancelled walk changes nothing: at its
// end the list, the selection, the current line and the modified flag are put back as they
// were at its start. Nested inside a formula it is part of the outer walk and does nothing
// of its own. Declared after the walk's WalkClickScope, so that the editor is reloaded from
// the restored list.
class CancellableWalk {
public:
    CancellableWalk(ListDocument& editor, const FormulaEngine& engine);
    ~CancellableWalk();
    CancellableWalk(const CancellableWalk&) = delete;
    CancellableWalk& operator=(const CancellableWalk&) = delete;
    bool Cancelled() const;

private:
    ListDocument& editor_;
    std::shared_ptr<void> work_;  // the editor's long-work scope, when this walk is not nested
    QStringList lines_;
    std::vector<char> selection_;
    int current_ = -1;
    int editFg_ = 0;
};

// Sets ListClickSuppressed for a walk. At the end of a walk that was started by the user
// (not from inside a formula) the flag is cleared and the list's click handling runs, so
// that the parameter editor shows the current line as the walk left it; inside a formula
// the flag is put back as it was and nothing is reloaded.
class WalkClickScope {
public:
    WalkClickScope(ListDocument& editor, const FormulaEngine& engine);
    ~WalkClickScope();
    WalkClickScope(const WalkClickScope&) = delete;
    WalkClickScope& operator=(const WalkClickScope&) = delete;
    // Asks for the click handling at the end.
    void ClickAtEnd() { click_ = true; }

private:
    ListDocument& editor_;
    bool old_;
    bool nested_;
    bool click_ = false;
};

}  // namespace kel
