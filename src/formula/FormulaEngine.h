// The formula evaluator: one object per editor, holding the evaluator's state (last formula,
// formula counter, stored index, data-file table, workbook cache, the result box) and
// evaluating formulas in the context of a command of the editor's list.
//
// Evaluation is recursive: functions evaluate their arguments and other lines' formulas
// through EvaluateFormula. The depth is bounded (kMaxFormulaDepth): a formula nested deeper,
// or one that reaches itself again through the result box or a data-file cell, yields
// kFormulaTooDeep, and every change it made to the list or the evaluator's state is undone.
#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "formula/FormulaHooks.h"
#include "formula/FormulaLookup.h"

namespace kel {

class ListDocument;
class Spreadsheet;

constexpr int kMaxFormulaDepth = 200;
inline const QString kFormulaTooDeep = QStringLiteral("Nest.Too.Deep");
inline const QString kDivByZero = QStringLiteral("Div.By.0");

class FormulaEngine : public QObject {
    Q_OBJECT
public:
    explicit FormulaEngine(ListDocument& editor, QObject* parent = nullptr);
    ~FormulaEngine() override;

    ListDocument& editor() const { return editor_; }
    // The hooks the spatial and list operations inject (none set: those functions give
    // empty results).
    const FormulaHooks& Hooks() const { return hooks_; }
    void SetHooks(FormulaHooks hooks) { hooks_ = std::move(hooks); }
    void SetBeforeImpureCall(std::function<void()> hook) { hooks_.beforeImpureCall = std::move(hook); }
    // The spreadsheet application for `Excel`; none (the default) makes every lookup empty.
    void SetSpreadsheet(Spreadsheet* app) { spreadsheet_ = app; }
    Spreadsheet* spreadsheet() const { return spreadsheet_; }

    // --- Evaluation --------------------------------------------------------------------------
    QString EvaluateFormula(double index, const QString& commandText, const QString& commandWord,
                            const QString& formula);
    QString EvaluateFormula(const FormulaContext& context, const QString& formula);
    // The context of list line i (its text and word) with the given index; empty text and
    // word for a line outside the list.
    FormulaContext LineContext(int i, double index) const;
    FormulaContext LineContext(int i) const { return LineContext(i, i); }

    // The rank of line `index` among the candidate lines by the value of `formula`: 1 plus
    // the number of candidates whose value is greater (fg 1) or smaller (fg -1).
    QString RankFigure(int index, const QString& formula, double fg, bool figuresOnly);
    // The next candidate line after `start` (-1: from the top), or -1: figure lines
    // (selected ones only when selectedOnly), and other lines except `group` unless
    // figuresOnly.
    int NextCandidate(int start, bool selectedOnly, bool figuresOnly) const;

    // The "Calc" operation: asks for a formula when none is given, evaluates it for line
    // `index` and shows the result in the result box.
    void InputFormula(const QString& formula, int index);

    // --- State -------------------------------------------------------------------------------
    const QString& CalcResult() const { return calcResult_; }
    void SetCalcResult(const QString& text);
    const QString& LastFormula() const { return lastFormula_; }
    const QString& FormulaCounter() const { return counter_; }
    void SetFormulaCounter(const QString& value) { counter_ = value; }
    // Emptied when a search, a conditional selection or a bulk input starts.
    void EmptyFormulaCounter() { counter_.clear(); }
    int StoredIndex() const { return storedIndex_; }
    void SetStoredIndex(int index) { storedIndex_ = index; }
    DataFileTable& DataFile() { return dataFile_; }
    WorkbookCache& Workbook() { return workbook_; }
    // A random number 0 <= r < 1 of single precision (seeded once from the clock).
    double NextRandom();
    // Lets the spreadsheet application go (shutdown).
    void ReleaseSpreadsheet();

    // --- For the functions ---------------------------------------------------------------------
    // Called by a function before it changes the evaluator's state: remembers what to
    // restore should this evaluation be cut short. False when it already was cut short; the
    // change must then not be made.
    bool BeginChange();
    // The same before running an operation that may change any line or selection (a hook).
    bool BeginListChange();
    // Selects or deselects one line, remembering the old state; false when cut short.
    bool SetLineSelected(int i, bool on);
    bool Aborted() const { return aborted_; }
    int Depth() const { return depth_; }
    // The number of formulas evaluated so far, nested ones included (a measure of work).
    qint64 EvaluationCount() const { return evaluations_; }

Q_SIGNALS:
    void CalcResultChanged(const QString& text);

private:
    FormulaHooks hooks_;
    QString Eval(const FormulaContext& context, const QString& formula);
    void ListChanged(int index);
    void DropRankCache();
    bool RankFromCache(int index, const QString& formula, const QString& my, double fg,
                       bool figuresOnly, bool selectedOnly, QString& result);
    QString ComputeRank(int index, const QString& formula, double fg, bool figuresOnly,
                        bool selectedOnly);

    // What an evaluation changed, to be put back when it is cut short. Lines are kept as a
    // shared copy (copied only when the list changes); single selection changes are logged,
    // and the whole selection is kept only before operations that may change any of it.
    struct Snapshot {
        QStringList lines;
        int current = -1;
        int editFg = 0;
        QString counter;
        int storedIndex = 0;
        std::vector<std::pair<int, bool>> selectionLog;  // line, state before
        std::optional<std::vector<int>> selected;        // the whole selection ...
        size_t logSizeAtSelected = 0;                    // ... taken after this many log entries
    };
    void Restore(const Snapshot& s);
    // Values of a formula per line for RankFigure (see FormulaRank.cpp).
    struct RankCache {
        QString formula;
        bool figuresOnly = false;
        bool selectedOnly = false;
        std::vector<QString> values;  // per line, for candidates
        std::vector<char> counted;    // the line's value is in the sorted copies
        std::vector<char> dirty;
        std::vector<int> dirtyLines;
        std::vector<double> numbers;  // sorted numbers of the counted values
        std::vector<QString> texts;   // sorted counted values; built when first needed
        bool textsBuilt = false;
    };

    ListDocument& editor_;
    Spreadsheet* spreadsheet_ = nullptr;
    QString calcResult_;
    QString lastFormula_;
    QString counter_;
    int storedIndex_ = 0;
    DataFileTable dataFile_;
    WorkbookCache workbook_;
    std::mt19937 random_;

    int depth_ = 0;
    qint64 evaluations_ = 0;
    bool aborted_ = false;
    std::optional<Snapshot> snapshot_;
    int impureCalls_ = 0;
    // Calls of functions that are not pure, other than Rank: their results may depend on the
    // evaluator's state or change it, so a rank computed with them is not kept.
    int volatileCalls_ = 0;
    std::unique_ptr<RankCache> rankCache_;
    // Ranks already computed while the list and the selection stayed as they are, by line,
    // formula and ordering: a Rank nested in a Rank asks for each inner rank once, not once
    // for every outer candidate (each level of nesting would multiply the work otherwise).
    QHash<QString, QString> rankMemo_;
    quint64 rankMemoGeneration_ = 0;

    friend struct FormulaCall;
};

}  // namespace kel
