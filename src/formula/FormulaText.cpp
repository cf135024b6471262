// The context functions (Cmd, Index, Null, ResultBox) and the text functions.
#include "common/Values.h"
#include "formula/FormulaEngine.h"
#include "formula/FormulaFunction.h"

namespace kel {

namespace {

QString Cmd(FormulaCall& c) { return c.context.commandWord; }
QString Index(FormulaCall& c) { return NumText(c.context.index); }
QString Null(FormulaCall&) { return QString(); }

// The result box's text, or element n of it, evaluated again.
QString ResultBox(FormulaCall& c) {
    QString t = c.engine.CalcResult();
    const qint64 k = c.Rounded(1);
    if (k != 0) t = k > kSplitLimit ? QString() : SplitArguments(t)[int(k)];
    return c.Eval(t);
}

QString Instr(FormulaCall& c) {
    const QString& text = c.Arg(1);
    if (text.isEmpty()) return QStringLiteral("0");
    return QString::number(text.indexOf(c.Arg(2)) + 1);
}

QString Join(FormulaCall& c) { return c.Arg(1) + c.Arg(2); }

// A character count of Left and Right: above the length or below 0 it is the length.
qsizetype Width(const FormulaCall& c, qsizetype length) {
    const qint64 n = c.Rounded(2);
    return (n < 0 || n > length) ? length : qsizetype(n);
}

QString Left(FormulaCall& c) {
    const QString& s = c.Arg(1);
    return s.left(Width(c, s.size()));
}

QString Right(FormulaCall& c) {
    const QString& s = c.Arg(1);
    return s.right(Width(c, s.size()));
}

QString Mid(FormulaCall& c) {
    const QString& s = c.Arg(1);
    const qint64 length = s.size();
    qint64 p = c.Rounded(2);
    if (p > length) p = length;
    if (p < 1) p = 1;
    qint64 w = c.Rounded(3);
    if (w > length || p + w - 1 > length) w = length - p + 1;
    if (w <= 0) return QString();
    return s.mid(qsizetype(p - 1), qsizetype(w));
}

using G = FormulaGroup;
using A = FormulaArgs;

const FormulaFunctionDef kTextFunctions[] = {
    {"Cmd", "", G::General, A::None, true, "カレントのコマンド名", nullptr, Cmd},
    {"Index", "", G::General, A::None, true, "カレントのIndexNo（リストの行番号，0から）",
     nullptr, Index},
    {"Null", "", G::General, A::None, true, "空文字列", nullptr, Null},
    {"ResultBox", "n", G::General, A::First1, false,
     "計算結果欄の値（nを指定するとそのn番目の要素）を式として再計算", "n 省略時は全体",
     ResultBox},
    {"Instr", "Par1,Par2", G::Arith, A::First2, true,
     "Par1の中でPar2が最初に現れる位置（1から，なければ0）", nullptr, Instr},
    {"Join", "Par1,Par2", G::Arith, A::First2, true, "Par1とPar2をつないだ文字列", nullptr,
     Join},
    {"Left", "Str,Par1", G::Arith, A::First2, true, "Strの左からPar1文字", nullptr, Left},
    {"Right", "Str,Par1", G::Arith, A::First2, true, "Strの右からPar1文字", nullptr, Right},
    {"Mid", "Str,Par1,Par2", G::Arith, A::First3, true, "StrのPar1文字目からPar2文字", nullptr,
     Mid},
};

}  // namespace

std::span<const FormulaFunctionDef> TextFormulaFunctions() { return kTextFunctions; }

}  // namespace kel
