// List functions (List, ListPar, ListNum, ListSum/Max/Min and their unexpanded forms), the
// aggregates over lines (Calc, SelectedCalc, IndexCalc), CmdNum and Rank.
#include <QStringList>

#include "list/ListDocument.h"
#include "common/Values.h"
#include "formula/FormulaEngine.h"
#include "formula/FormulaFunction.h"
#include "geo/Geometry.h"

namespace kel {

namespace {

constexpr double kMinStart = 9999999;
constexpr double kMaxStart = -9999999;

QString JoinPieces(const SplitTable& t) {
    QString out;
    for (int i = 1; i <= t.Pieces(); ++i) {
        if (i > 1) out += QLatin1Char(',');
        out += t.Piece(i);
    }
    return out;
}

QString List(FormulaCall& c) { return c.argText; }
QString ListPar(FormulaCall& c) { return JoinPieces(c.args); }
QString ListNum(FormulaCall& c) {
    return QString::number(SplitArguments(JoinPieces(c.args)).Count());
}

enum class Fold { Sum, Max, Min };

double FoldValues(const SplitTable& t, Fold fold) {
    double acc = fold == Fold::Sum ? 0 : fold == Fold::Max ? kMaxStart : kMinStart;
    for (int i = 1; i <= t.Pieces(); ++i) {
        const double x = Val(t.Piece(i));
        acc = fold == Fold::Sum ? acc + x : fold == Fold::Max ? MaxOf(acc, x) : MinOf(acc, x);
    }
    return acc;
}

// Over the list with elements that are lists themselves expanded.
QString Expanded(const FormulaCall& c, Fold fold) {
    return NumText(FoldValues(SplitArguments(JoinPieces(c.args)), fold));
}
QString ListSum(FormulaCall& c) { return Expanded(c, Fold::Sum); }
QString ListMax(FormulaCall& c) { return Expanded(c, Fold::Max); }
QString ListMin(FormulaCall& c) { return Expanded(c, Fold::Min); }
QString ListSum2(FormulaCall& c) { return NumText(FoldValues(c.args, Fold::Sum)); }
QString ListMax2(FormulaCall& c) { return NumText(FoldValues(c.args, Fold::Max)); }
QString ListMin2(FormulaCall& c) { return NumText(FoldValues(c.args, Fold::Min)); }

// The aggregate of the per-line formula A[2] over `lines`, by the kind in A[1].
QString Aggregate(FormulaCall& c, const std::vector<int>& lines) {
    const QString& perLine = c.Arg(2);
    qint64 n = 0;
    double sum = 0, min = kMinStart, max = kMaxStart;
    QString parList;
    for (size_t k = 0; k < lines.size(); ++k) {
        const int i = lines[k];
        const QString v = c.engine.EvaluateFormula(c.engine.LineContext(i), perLine);
        if (k > 0) parList += QLatin1Char(',');
        parList += v;
        const double x = Val(v);
        ++n;
        sum += x;
        min = MinOf(min, x);
        max = MaxOf(max, x);
    }
    const QString& kind = c.Arg(1);
    if (kind == QLatin1String("Num")) return QString::number(n);
    if (kind == QLatin1String("Par")) return parList;
    if (kind == QLatin1String("Sum")) return NumText(sum);
    if (kind == QLatin1String("Min")) return NumText(min);
    if (kind == QLatin1String("Max")) return NumText(max);
    if (kind == QLatin1String("Ave")) return NumText(n == 0 ? 0.0 : sum / double(n));
    return c.formula;
}

QString Calc(FormulaCall& c) {
    std::vector<int> lines(size_t(c.editor().List().Count()));
    for (size_t i = 0; i < lines.size(); ++i) lines[i] = int(i);
    return Aggregate(c, lines);
}

QString SelectedCalc(FormulaCall& c) { return Aggregate(c, c.editor().List().SelectedIndexes()); }

QString IndexCalc(FormulaCall& c) {
    c.args.SetPiece(1, c.EvalArg(1));
    c.args.SetPiece(3, c.EvalArg(3));
    const KelList& list = c.editor().List();
    std::vector<int> lines;
    const auto add = [&](qint64 i) {
        // Numbers outside the list name no line and are left out.
        if (i >= 0 && i < list.Count()) lines.push_back(int(i));
    };
    if (c.Arg(3).isEmpty()) {
        add(RoundHalfEven(c.context.index));
    } else {
        const SplitTable numbers = SplitArguments(c.Arg(3));
        for (int k = 1; k <= numbers.Pieces(); ++k)
            add(RoundHalfEven(Val(c.Eval(numbers.Piece(k)))));
    }
    return Aggregate(c, lines);
}

QString CmdNum(FormulaCall& c) {
    const KelList& list = c.editor().List();
    if (c.argText == QLatin1String("All")) return QString::number(list.Count());
    QString names;
    if (c.argText == QLatin1String("Figure")) {
        names = QStringLiteral("point,line,circle,rect,area");
    } else {
        names = JoinPieces(c.args);
    }
    int n = 0;
    for (int i = 0; i < list.Count(); ++i) {
        const FormulaContext line = c.engine.LineContext(i, c.context.index);
        const QString test = QStringLiteral("Cond(") + line.commandWord + QLatin1Char('=') +
                             names + QLatin1Char(')');
        if (Val(c.engine.EvaluateFormula(line, test)) != 0) ++n;
    }
    return QString::number(n);
}

QString Rank(FormulaCall& c) {
    c.args.SetPiece(2, c.EvalArg(2));
    return c.engine.RankFigure(int(RoundHalfEven(c.context.index)), c.Arg(1), c.Num(2), true);
}

using G = FormulaGroup;
using A = FormulaArgs;

const FormulaFunctionDef kListFunctions[] = {
    {"List", "List", G::List, A::Whole, true, "引数の文字列をそのまま（評価しない）", nullptr,
     List},
    {"ListPar", "List", G::List, A::All, true, "各要素を評価してカンマでつないだリスト", nullptr,
     ListPar},
    {"ListNum", "List", G::List, A::All, true, "リストの要素数（リスト値の要素は展開）", nullptr,
     ListNum},
    {"ListSum", "List", G::List, A::All, true, "リストの要素の合計（リスト値の要素は展開）",
     nullptr, ListSum},
    {"ListMax", "List", G::List, A::All, true, "リストの要素の最大値（リスト値の要素は展開）",
     nullptr, ListMax},
    {"ListMin", "List", G::List, A::All, true, "リストの要素の最小値（リスト値の要素は展開）",
     nullptr, ListMin},
    {"ListSum2", "List", G::List, A::All, true, "各要素の値の合計（展開しない）", nullptr,
     ListSum2},
    {"ListMax2", "List", G::List, A::All, true, "各要素の値の最大値（展開しない）", nullptr,
     ListMax2},
    {"ListMin2", "List", G::List, A::All, true, "各要素の値の最小値（展開しない）", nullptr,
     ListMin2},
    {"CmdNum", "CmdNameList", G::Calc, A::First1, false,
     "指定したコマンド名の行数（All:全行，Figure:図形コマンド）", nullptr, CmdNum},
    {"SelectedCalc", "Cmd,Formula", G::Calc, A::First1, false,
     "選択行ごとにFormulaを評価して集計", "Cmd {Num,Par,Sum,Min,Max,Ave}", SelectedCalc},
    {"Calc", "Cmd,Formula", G::Calc, A::First1, false, "全行でFormulaを評価して集計",
     "Cmd {Num,Par,Sum,Min,Max,Ave}", Calc},
    {"IndexCalc", "Cmd,Formula,IndexList", G::Calc, A::None, false,
     "IndexListの行ごとにFormulaを評価して集計", "Cmd {Num,Par,Sum,Min,Max,Ave}", IndexCalc},
    {"Rank", "Formula,Fg", G::Calc, A::None, false,
     "図形の中でのFormulaの値の順位", "Fg {1:大きい順,-1:小さい順}", Rank},
};

}  // namespace

std::span<const FormulaFunctionDef> ListFormulaFunctions() { return kListFunctions; }

}  // namespace kel
