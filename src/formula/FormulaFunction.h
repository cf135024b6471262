// The function table of the formula language. Every function is a static function of one
// signature, registered once with its name, argument names, group, the arguments the
// evaluator evaluates before the call, and a one-line Japanese description for the usage
// summary. The evaluator does the argument handling that all functions share (splitting
// the argument text, evaluating the marked arguments); a function only computes.
#pragma once

#include <QString>
#include <QStringView>
#include <span>

#include "formula/FormulaHooks.h"
#include "formula/FormulaSplit.h"

namespace kel {

class ListDocument;
class FormulaEngine;

// Headings of the usage summary, in the order they are shown.
enum class FormulaGroup {
    General,    // (－)
    List,       // (List関連)
    Calc,       // (計算関連)
    Command,    // (実行Command関連)
    Index,      // (IndexNo,IndexList関連)
    Arith,      // (算術関連)
    Spatial,    // (空間計算関連)
    Condition,  // (条件判断関連)
    External,   // (外部参照)
};

// Which arguments the evaluator evaluates before calling the function.
enum class FormulaArgs {
    None,     // arguments used as written (the function evaluates what it needs)
    Whole,    // the argument text is used whole: not split, nothing evaluated
    First1,   // A[1]
    First2,   // A[1], A[2]
    First3,   // A[1], A[2], A[3]
    First5,   // A[1] .. A[5]
    All,      // A[1] .. A[n]
};

// One call of a function: the context, the formula as written (the default result), the
// argument text and its split with the evaluated arguments in place.
struct FormulaCall {
    FormulaEngine& engine;
    const FormulaContext& context;
    const QString& formula;   // the whole formula text (T[0])
    const QString& argText;   // the argument text (T[2])
    SplitTable& args;         // SplitArguments(argText), evaluated where the table says

    // A[i]; empty beyond the arguments.
    const QString& Arg(int i) const { return args[i]; }
    int Count() const { return args.Count(); }
    // The number in A[i] by the leading-number rule.
    double Num(int i) const;
    // The number in A[i] rounded to an integer (halves to even).
    qint64 Rounded(int i) const;
    // Evaluates a formula in this call's context.
    QString Eval(const QString& formula) const;
    // Evaluates A[i] (for arguments the table leaves as written).
    QString EvalArg(int i) const { return Eval(Arg(i)); }
    ListDocument& editor() const;
};

using FormulaFn = QString (*)(FormulaCall& call);

struct FormulaFunctionDef {
    const char* name;
    const char* argNames;    // "Par1,Par2"; empty for a function called without arguments
    FormulaGroup group;
    FormulaArgs evaluated;
    // True when the result depends only on the arguments and the context command (its
    // text, word and index): no other line, no state of the evaluator, no side effects.
    // Values of such formulas may be kept per line within one walk over the list.
    bool pure;
    const char* usage;       // one line, Japanese (UTF-8)
    const char* valueNote;   // continuation line listing argument values, or nullptr
    FormulaFn fn;
};

// The whole table, in usage-summary order within each group.
std::span<const FormulaFunctionDef> FormulaFunctions();
// A function by its exact name; nullptr for other names.
const FormulaFunctionDef* FindFormulaFunction(const QString& name);

// The groups' parts of the table, each defined in the file of its functions.
std::span<const FormulaFunctionDef> ListFormulaFunctions();
std::span<const FormulaFunctionDef> MathFormulaFunctions();
std::span<const FormulaFunctionDef> TextFormulaFunctions();
std::span<const FormulaFunctionDef> SelectFormulaFunctions();
std::span<const FormulaFunctionDef> ConditionFormulaFunctions();
std::span<const FormulaFunctionDef> SpatialFormulaFunctions();
std::span<const FormulaFunctionDef> LookupFormulaFunctions();

// The call form shown in the usage summary: "Name(Args)" or "Name".
QString FormulaCallForm(const FormulaFunctionDef& def);

}  // namespace kel
