#include "formula/Conditions.h"

#include <vector>

#include "list/ListDocument.h"
#include "common/Values.h"
#include "formula/FormulaEngine.h"
#include "formula/FormulaSplit.h"
#include "formula/ListWalk.h"

namespace kel {

namespace {

QString CondFormula(const QString& condition) {
    return TrimFormulaBlanks(QStringLiteral("Cond(") + condition + QLatin1Char(')')).toString();
}

}  // namespace

ConditionOps::ConditionOps(ListDocument& editor, FormulaEngine& engine)
    : editor_(editor), engine_(engine) {}

int ConditionOps::NextIndex(int i) const {
    return i >= editor_.List().Count() - 1 ? 0 : i + 1;
}

QString ConditionOps::TestLine(int i, const QString& condition) {
    return engine_.EvaluateFormula(engine_.LineContext(i), CondFormula(condition));
}

void ConditionOps::SelectByCondition(const QString& condition) {
    if (editor_.List().Count() == 0) return;
    const PromptedText p =
        PromptStep(editor_, condition, lastSelect_, false,
                   QStringLiteral("選択の条件式を入力してください"),
                   QStringLiteral("Conditional Select"), 2);
    // Only a condition the user typed at the plain prompt becomes the next default.
    if (p.asked && condition.isEmpty() && !p.text.isEmpty()) lastSelect_ = p.text;
    if (p.text.isEmpty()) return;
    RunSelection(p.text);
}

void ConditionOps::SelectWithCondition(const QString& condition) {
    if (condition.isEmpty()) return;
    RunSelection(condition);
}

void ConditionOps::RunSelection(const QString& condition) {
    KelList& list = editor_.List();
    QString s = TrimFormulaBlanks(condition).toString();
    if (s.isEmpty() || list.Count() == 0) return;

    WalkClickScope click(editor_, engine_);
    CancellableWalk cancel(editor_, engine_);
    const int current = list.Current();
    QChar prefix;
    if (s.front() == QLatin1Char('&') || s.front() == QLatin1Char('|')) {
        prefix = s.front();
        s = TrimFormulaBlanks(QStringView(s).mid(1)).toString();
    }
    engine_.EmptyFormulaCounter();
    const QString formula = CondFormula(s);

    // The new states are kept aside and written in one step at the end, unless a condition
    // looks beyond its own line (SelectedFg, Calc, ...): then the states decided so far are
    // written first and the rest of the walk writes line by line, as each line is decided.
    const int n = list.Count();
    std::vector<char> states(size_t(n), 0);
    for (int i : list.SelectedIndexes()) states[size_t(i)] = 1;
    bool deferred = true;
    ImpureCallScope flushFirst(engine_, [&] {
        if (!deferred) return;
        deferred = false;
        list.SetSelection(states);
    });

    WalkProgress progress(editor_);
    for (int i = 0; i < list.Count() && !cancel.Cancelled(); ++i) {
        progress.Show(i);
        const bool m = Val(engine_.EvaluateFormula(engine_.LineContext(i), formula)) != 0;
        const bool was = deferred ? states[size_t(i)] != 0 : list.Selected(i);
        bool on = m;
        if (prefix == QLatin1Char('&')) on = was && m;
        else if (prefix == QLatin1Char('|')) on = was || m;
        if (deferred) states[size_t(i)] = on ? 1 : 0;
        else list.SetSelected(i, on);
    }
    if (deferred) list.SetSelection(states);
    list.SetCurrent(current);
    progress.Off();
}

void ConditionOps::SearchByCondition(const QString& condition) {
    if (editor_.List().Count() == 0) return;
    const PromptedText p = PromptStep(editor_, condition, lastSearch_, false,
                                      QStringLiteral("検索の条件式を入力してください"),
                                      QStringLiteral("Search"), 2);
    if (p.text.isEmpty()) return;
    lastSearch_ = p.text;
    SearchNext();
}

int ConditionOps::SearchNext() {
    KelList& list = editor_.List();
    if (lastSearch_.isEmpty() || list.Count() == 0) return -1;
    WalkClickScope click(editor_, engine_);
    click.ClickAtEnd();
    CancellableWalk cancel(editor_, engine_);
    const int start = list.IsValidIndex(list.Current()) ? list.Current() : 0;
    engine_.EmptyFormulaCounter();
    const QString formula = CondFormula(lastSearch_);

    WalkProgress progress(editor_);
    int i = start;
    int found = -1;
    // At most one round: the list keeps its length during the walk, but the bound does not
    // depend on that.
    for (int steps = list.Count(); steps > 0; --steps) {
        if (cancel.Cancelled()) break;
        i = NextIndex(i);
        progress.Show(i);
        if (IsTrueText(engine_.EvaluateFormula(engine_.LineContext(i), formula))) {
            found = i;
            break;
        }
        if (i == start) break;
    }
    if (cancel.Cancelled()) found = -1;
    if (found >= 0) list.SetCurrent(found);
    progress.Off();
    return found;
}

int ConditionOps::SearchNextWith(const QString& condition) {
    const QString saved = lastSearch_;
    lastSearch_ = condition;
    const int found = SearchNext();
    lastSearch_ = saved;
    return found;
}

}  // namespace kel
