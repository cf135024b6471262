// Conditions: Cond (equality and range forms) and If.
#include "common/Values.h"
#include "formula/FormulaEngine.h"
#include "formula/FormulaFunction.h"

namespace kel {

namespace {

bool IsMarker(QStringView bound) {
    return bound == QLatin1String("+") || bound == QLatin1String("*");
}

// The range test of "v:lo,hi" with the markers "*" (inclusive) and "+" (exclusive).
bool InRange(double x, const QString& lo, const QString& hi) {
    const double low = Val(lo), high = Val(hi);
    if (lo == hi) return x == low;
    if (lo == QLatin1String("*")) return x <= high;
    if (lo == QLatin1String("+")) return x < high;
    if (hi == QLatin1String("*")) return x >= low;
    if (hi == QLatin1String("+")) return x > low;
    return low <= x && x < high;
}

QString Cond(FormulaCall& c) {
    SplitTable& a = c.args;
    QString result = QStringLiteral("False");
    if (c.argText.contains(QLatin1Char('='))) {
        for (int k = 1; k <= a.Pieces(); ++k) a.SetPiece(k, c.Eval(a.Piece(k)));
        bool holds = false;
        for (int k = 2; k <= a.Pieces() && !holds; ++k) holds = MatchPattern(a.Piece(1), a.Piece(k));
        result = TruthText(holds);
    }
    if (c.argText.contains(QLatin1Char(':'))) {
        QString lo = c.Arg(2), hi = c.Arg(3);
        if (!IsMarker(TrimFormulaBlanks(lo))) lo = c.Eval(lo);
        if (!IsMarker(TrimFormulaBlanks(hi))) hi = c.Eval(hi);
        lo = TrimFormulaBlanks(lo).toString();
        hi = TrimFormulaBlanks(hi).toString();
        const QString v = c.EvalArg(1);
        if (!(IsMarker(lo) && IsMarker(hi)) && !v.isEmpty()) result = TruthText(InRange(Val(v), lo, hi));
    }
    return result;
}

QString If(FormulaCall& c) {
    SplitTable& a = c.args;
    if (TrimFormulaBlanks(a[1]).startsWith(QLatin1Char('('))) a.SetPiece(1, QStringLiteral("Cond") + a[1]);
    // Both branches are evaluated, with their side effects.
    for (int k = 1; k <= qMin(3, a.Pieces()); ++k) a.SetPiece(k, c.Eval(a.Piece(k)));
    return Val(a[1]) == -1 ? a[2] : a[3];
}

using G = FormulaGroup;
using A = FormulaArgs;

const FormulaFunctionDef kConditionFunctions[] = {
    {"Cond", "ConditionFormula", G::Condition, A::None, true,
     "条件式の判定（真:-1，偽:0，判定不能:False）", "ConditionFormula {Par=値,値…  Par:下限,上限}",
     Cond},
    {"If", "Cond,Par1,Par2", G::Condition, A::None, true, "Condが真(-1)ならPar1，そうでなければPar2",
     "Cond は()で囲むとCond()と同じ", If},
};

}  // namespace

std::span<const FormulaFunctionDef> ConditionFormulaFunctions() { return kConditionFunctions; }

}  // namespace kel
