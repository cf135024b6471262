#include "formula/ListWalk.h"

#include "list/ListDocument.h"
#include "formula/FormulaEngine.h"
#include "formula/FormulaSplit.h"
#include "formula/UsageSummary.h"

namespace kel {

PromptedText PromptStep(ListDocument& editor, const QString& given, const QString& last,
                        bool askOnTrailingBlank, const QString& message, const QString& title,
                        int usageKind) {
    const QString trimmed = TrimFormulaBlanks(given).toString();
    const bool trailingBlank =
        askOnTrailingBlank && !given.isEmpty() &&
        (given.endsWith(QLatin1Char(' ')) || given.endsWith(QLatin1Char('\t')));
    if (!given.isEmpty() && !trimmed.endsWith(QLatin1Char('=')) && !trailingBlank)
        return {given, false};
    const QString defaultText = given.isEmpty() ? last : trimmed;
    const QString prompt = message + QLatin1Char('\n') + QString(51, QLatin1Char('-'));
    const QString answer =
        editor.InputBox2(prompt, title, defaultText, UsageSummary(usageKind));
    return {TrimFormulaBlanks(answer).toString(), true};
}

void WalkProgress::Show(int i) { editor_.RollProgress(steps_++, i); }

void WalkProgress::Off() { editor_.CaptionRoll(QStringLiteral("Off")); }

ImpureCallScope::ImpureCallScope(FormulaEngine& engine, std::function<void()> flush)
    : engine_(engine), previous_(engine.Hooks().beforeImpureCall) {
    std::function<void()> outer = previous_;
    engine_.SetBeforeImpureCall([outer, flush = std::move(flush)] {
        if (outer) outer();
        flush();
    });
}

ImpureCallScope::~ImpureCallScope() { engine_.SetBeforeImpureCall(previous_); }

CancellableWalk::CancellableWalk(ListDocument& editor, const FormulaEngine& engine)
    : editor_(editor) {
    if (engine.Depth() > 0) return;
    work_ = std::make_shared<LongWork>(editor);
    const KelList& list = editor.List();
    lines_ = list.Lines();
    selection_.assign(size_t(list.Count()), 0);
    for (int i : list.SelectedIndexes()) selection_[size_t(i)] = 1;
    current_ = list.Current();
    editFg_ = editor.EditFg();
}

bool CancellableWalk::Cancelled() const { return work_ && editor_.CancelRequested(); }

CancellableWalk::~CancellableWalk() {
    if (!Cancelled()) return;
    KelList& list = editor_.List();
    if (list.Lines() != lines_) list.SetLines(lines_);
    list.SetSelection(selection_);
    list.SetCurrent(current_);
    editor_.SetEditFg(editFg_);
    editor_.CaptionRoll(QStringLiteral(" Cancelled"));
}

WalkClickScope::WalkClickScope(ListDocument& editor, const FormulaEngine& engine)
    : editor_(editor), old_(editor.ListClickSuppressed()), nested_(engine.Depth() > 0) {
    editor_.SetListClickSuppressed(true);
}

WalkClickScope::~WalkClickScope() {
    if (nested_) {
        editor_.SetListClickSuppressed(old_);
        return;
    }
    editor_.SetListClickSuppressed(false);
    if (click_) editor_.KelListClick();
}

}  // namespace kel
