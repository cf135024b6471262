// Arithmetic and logical operators, rounding, square root, the formula counter and the
// random number.
#include <cmath>
#include <limits>

#include "common/Values.h"
#include "formula/FormulaEngine.h"
#include "formula/FormulaFunction.h"

namespace kel {

namespace {

// Floor to a 64-bit integer, clamped to its range.
qint64 FloorInt(double x) {
    const double f = IntFloor(x);
    if (!(f == f)) return 0;
    if (f >= 9.2e18) return std::numeric_limits<qint64>::max();
    if (f <= -9.2e18) return std::numeric_limits<qint64>::min();
    return qint64(f);
}

QString Finite(double x) { return std::isfinite(x) ? NumText(x) : QString(); }

QString Plus(FormulaCall& c) { return NumText(c.Num(1) + c.Num(2)); }
QString Minus(FormulaCall& c) { return NumText(c.Num(1) - c.Num(2)); }
QString Times(FormulaCall& c) { return NumText(c.Num(1) * c.Num(2)); }

QString Divide(FormulaCall& c) {
    const double d = c.Num(2);
    if (d == 0) return kDivByZero;
    return NumText(c.Num(1) / d);
}

QString Mod(FormulaCall& c) {
    const qint64 a = c.Rounded(1), b = c.Rounded(2);
    if (b == 0) return kDivByZero;
    if (b == -1) return QStringLiteral("0");  // the one quotient that does not fit
    return QString::number(a % b);
}

QString And(FormulaCall& c) { return QString::number(FloorInt(c.Num(1)) & FloorInt(c.Num(2))); }
QString Or(FormulaCall& c) { return QString::number(FloorInt(c.Num(1)) | FloorInt(c.Num(2))); }
QString Xor(FormulaCall& c) { return QString::number(FloorInt(c.Num(1)) ^ FloorInt(c.Num(2))); }
QString Not(FormulaCall& c) { return QString::number(~FloorInt(c.Num(1))); }

double Scale(const FormulaCall& c) { return std::pow(10.0, c.Num(2)); }

QString Round(FormulaCall& c) {
    const double f = Scale(c);
    return Finite(std::floor(c.Num(1) * f + 0.5) / f);
}

QString RoundUp(FormulaCall& c) {
    const double f = Scale(c);
    return Finite(std::floor(c.Num(1) * f + 0.99999999) / f);
}

QString Int(FormulaCall& c) {
    const double f = Scale(c);
    return Finite(std::floor(c.Num(1) * f) / f);
}

QString Sqrt(FormulaCall& c) {
    const double x = c.Num(1);
    if (x < 0) return QString();
    return NumText(std::sqrt(x));
}

// The shared counter of Inc and Dec: starts at n on the first call after it was emptied,
// then moves by the step on every call, up for Inc and down for Dec.
enum class CountDirection { Up = 1, Down = -1 };

QString Count(FormulaCall& c, CountDirection toward) {
    const double direction = toward == CountDirection::Up ? 1 : -1;
    FormulaEngine& e = c.engine;
    if (!e.BeginChange()) return kFormulaTooDeep;
    double step = c.Num(2);
    if (step == 0) step = 1;
    if (e.FormulaCounter().isEmpty()) e.SetFormulaCounter(NumText(c.Num(1) - direction * step));
    e.SetFormulaCounter(NumText(Val(e.FormulaCounter()) + direction * step));
    return e.FormulaCounter();
}

QString Inc(FormulaCall& c) { return Count(c, CountDirection::Up); }
QString Dec(FormulaCall& c) { return Count(c, CountDirection::Down); }

QString Rand(FormulaCall& c) { return NumText(c.engine.NextRandom(), 7); }

using G = FormulaGroup;
using A = FormulaArgs;

const FormulaFunctionDef kMathFunctions[] = {
    {"+", "Par1,Par2", G::Arith, A::First3, true, "Par1とPar2の和", nullptr, Plus},
    {"-", "Par1,Par2", G::Arith, A::First3, true, "Par1からPar2を引いた差", nullptr, Minus},
    {"*", "Par1,Par2", G::Arith, A::First3, true, "Par1とPar2の積", nullptr, Times},
    {"/", "Par1,Par2", G::Arith, A::First3, true, "Par1をPar2で割った商（0で割るとDiv.By.0）",
     nullptr, Divide},
    {"Mod", "Par1,Par2", G::Arith, A::First3, true, "Par1をPar2で割った余り（整数に丸めて）",
     nullptr, Mod},
    {"And", "Par1,Par2", G::Arith, A::First3, true, "Par1とPar2のビット積（論理積）", nullptr,
     And},
    {"Or", "Par1,Par2", G::Arith, A::First3, true, "Par1とPar2のビット和（論理和）", nullptr, Or},
    {"Xor", "Par1,Par2", G::Arith, A::First3, true, "Par1とPar2の排他的論理和", nullptr, Xor},
    {"Round", "Par1,Par2", G::Arith, A::First3, true, "Par1を小数点以下Par2桁に四捨五入",
     nullptr, Round},
    {"RoundUp", "Par1,Par2", G::Arith, A::First3, true, "Par1を小数点以下Par2桁に切り上げ",
     nullptr, RoundUp},
    {"Int", "Par1,Par2", G::Arith, A::First3, true, "Par1を小数点以下Par2桁に切り捨て", nullptr,
     Int},
    {"Not", "Par1", G::Arith, A::First3, true, "Par1のビット反転（論理否定）", nullptr, Not},
    {"Sqr", "Par1", G::Arith, A::First1, true, "Par1の平方根", nullptr, Sqrt},
    {"Sqrt", "Par1", G::Arith, A::First1, true, "Par1の平方根", nullptr, Sqrt},
    {"Inc", "n,s", G::Arith, A::First2, false, "nから始めて呼ぶたびにsずつ増える連番",
     "s 省略時は1", Inc},
    {"Dec", "n,s", G::Arith, A::First2, false, "nから始めて呼ぶたびにsずつ減る連番",
     "s 省略時は1", Dec},
    {"Rand", "", G::Arith, A::None, false, "0以上1未満の乱数", nullptr, Rand},
};

}  // namespace

std::span<const FormulaFunctionDef> MathFormulaFunctions() { return kMathFunctions; }

}  // namespace kel
