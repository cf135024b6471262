// Line numbers and the selection: SelectedFg, SelectedIndexList, IndexSelect,
// IndexDeSelect, IndexRefer, PushIndex, PopIndex; and the operations run from a formula:
// ConditionalSelect and LumpInput.
#include "list/ListDocument.h"
#include "common/Values.h"
#include "formula/FormulaEngine.h"
#include "formula/FormulaFunction.h"

namespace kel {

namespace {

QString SelectedFg(FormulaCall& c) {
    const qint64 i = c.Rounded(1);
    const KelList& list = c.editor().List();
    if (i < 0 || i >= list.Count()) return QString();
    return list.Selected(int(i)) ? QStringLiteral("True") : QStringLiteral("False");
}

QString SelectedIndexList(FormulaCall& c) {
    QString out;
    for (int i : c.editor().List().SelectedIndexes()) {
        if (!out.isEmpty()) out += QLatin1Char(',');
        out += QString::number(i);
    }
    return out;
}

// Selects or deselects the lines listed in A[1]; line 0 and numbers outside the list are
// left alone. The result is A[2].
QString MarkLines(FormulaCall& c, bool on) {
    const KelList& list = c.editor().List();
    const SplitTable numbers = SplitArguments(c.Arg(1));
    for (int k = 1; k <= numbers.Pieces(); ++k) {
        const qint64 i = RoundHalfEven(Val(numbers.Piece(k)));
        if (i <= 0 || i >= list.Count()) continue;
        if (!c.engine.SetLineSelected(int(i), on)) break;
    }
    return c.EvalArg(2);
}

QString IndexSelect(FormulaCall& c) { return MarkLines(c, true); }
QString IndexDeSelect(FormulaCall& c) { return MarkLines(c, false); }

QString ConditionalSelect(FormulaCall& c) {
    if (TrimFormulaBlanks(c.Arg(1)).startsWith(QLatin1Char('('))) {
        const QString condition = c.EvalArg(1);
        if (c.engine.Hooks().conditionalSelect && c.engine.BeginListChange()) {
            AutoAnswerGuard yes(c.editor());
            c.engine.Hooks().conditionalSelect(condition);
        }
    }
    return c.EvalArg(2);
}

QString PushIndex(FormulaCall& c) {
    if (c.engine.BeginChange()) c.engine.SetStoredIndex(c.editor().List().Current());
    return c.Eval(c.argText);
}

QString PopIndex(FormulaCall& c) { return QString::number(c.engine.StoredIndex()); }

QString IndexRefer(FormulaCall& c) {
    const qint64 i = c.Rounded(1);
    if (i < 0 || i >= c.editor().List().Count()) return QString();
    return c.engine.EvaluateFormula(c.engine.LineContext(int(i), c.Num(1)), c.Arg(2));
}

QString LumpInput(FormulaCall& c) {
    if (c.engine.Hooks().lumpInput && c.engine.BeginListChange()) c.engine.Hooks().lumpInput(c.argText);
    return QString();
}

using G = FormulaGroup;
using A = FormulaArgs;

const FormulaFunctionDef kSelectFunctions[] = {
    {"ConditionalSelect", "Condition,Formula", G::Command, A::None, false,
     "(条件式)を満たす行を選択してからFormulaを評価", "Condition は()で囲む", ConditionalSelect},
    {"LumpInput", "InputFormula", G::Command, A::Whole, false,
     "(左辺)=(右辺)の一括入力を実行（結果は空）", nullptr, LumpInput},
    {"SelectedFg", "Index", G::Index, A::First1, false, "Index行の選択状態（True/False）",
     nullptr, SelectedFg},
    {"SelectedIndexList", "", G::Index, A::None, false, "選択行のIndexNoのリスト", nullptr,
     SelectedIndexList},
    {"IndexSelect", "IndexList,Formula", G::Index, A::First1, false,
     "IndexListの行を選択してからFormulaを評価", nullptr, IndexSelect},
    {"IndexDeSelect", "IndexList,Formula", G::Index, A::First1, false,
     "IndexListの行の選択を解除してからFormulaを評価", nullptr, IndexDeSelect},
    {"PushIndex", "Formula", G::Index, A::Whole, false,
     "カレント行のIndexNoを記憶してFormulaを評価", nullptr, PushIndex},
    {"PopIndex", "", G::Index, A::None, false, "PushIndexで記憶したIndexNo", nullptr, PopIndex},
    {"IndexRefer", "Index,Formula", G::Index, A::First1, false, "Index行のコマンドでFormulaを評価",
     nullptr, IndexRefer},
};

}  // namespace

std::span<const FormulaFunctionDef> SelectFormulaFunctions() { return kSelectFunctions; }

}  // namespace kel
