// Operations that apply a formula to many commands at once: the bulk input of a parameter
// value, the sort of the list by a formula, group ids from `group` commands, the export of
// formula values to a text file, and the area and length reports.
//
// Their working set is the selected lines, or every line when none is selected.
#pragma once

#include <QString>

#include "formula/FormulaSplit.h"

namespace kel {

class ListDocument;
class FormulaEngine;

// A bulk-input equation "name(element)=formula,formula,...", taken apart.
struct LumpEquation {
    QString name;            // the parameter to set
    bool hasElement = false; // an element number was given in parentheses
    QString element;         // its formula
    SplitTable pieces;       // the right side, split at its top-level ",", "=" and ":"
};
// False when the text has no "=".
bool ParseLumpEquation(const QString& equation, LumpEquation& out);

// The new value of a parameter whose element `elementText` (an evaluated element number) is
// set to `value`: "0" or empty appends `value` as a further element, n >= 1 replaces element
// n (elements split at the top-level ",", "=" and ":", joined again with ","). No value
// (the command stays unchanged) for an element past the last one or past the split table,
// a negative or non-numeric element number, and a current value whose parentheses do not
// balance (it cannot be taken apart without losing text).
bool SetElement(const QString& current, const QString& elementText, const QString& value,
                QString& out);

class BulkOps {
public:
    BulkOps(ListDocument& editor, FormulaEngine& engine);

    // Bulk input. `equation` empty, ending with "=" or with a blank: asked for first (title
    // "Input equation"). index >= 0 changes only that line (and needs a current line);
    // index -1 the working set, with the selection put back after every line.
    void RunLumpInput(const QString& equation, int index);
    // The same without a prompt, on the working set (the formula function LumpInput).
    void LumpInputWithoutPrompt(const QString& equation);

    // Asks for the formula (title "Sort") unless given, then SortLines.
    void SortByFormula(const QString& formula, int direction, bool figuresOnly);
    // Sorts the candidate lines (see FormulaEngine::NextCandidate) by the formula's value:
    // direction 1 ascending, any other descending. The formula is evaluated once per
    // candidate, in list order; the sort is stable (equal values keep their order); lines
    // that are not candidates keep their places; selected states move with their lines.
    // Values compare as numbers when the first figure line's value reads as a number (non-
    // zero or containing "0"), as texts otherwise.
    void SortLines(const QString& formula, int direction, bool figuresOnly);

    // The gid of the current `group` command for every non-group command of the working set
    // that satisfies the group's `gname` condition.
    void SetGidByGroup();
    // SetGidByGroup for every `group` command in list order; the current line is put back.
    void SetGidByAllGroups();

    // Writes one line per command of the working set: the attribute formulas (top-level
    // comma list) evaluated for the line and joined with ",". Asks for the list unless
    // given (title "Save Attributes"), then for the file (and before overwriting it).
    // Returns true when the file was written.
    bool SaveAttributes(const QString& list);

    // "Current Object": the area and length of the loaded command in the result box.
    void CalculateCurrent();
    // "Selected Objects": the summed area and length of the selected figures, each measured
    // from its own command text (its pos, r, width and height), in the result box.
    void CalcSelectedAreaLength();

    const QString& LastEquation() const { return lastEquation_; }
    const QString& LastSortFormula() const { return lastSortFormula_; }
    const QString& LastAttributeList() const { return lastAttributes_; }

private:
    void RunLumpInput(const QString& equation, int index, bool prompt);

    ListDocument& editor_;
    FormulaEngine& engine_;
    QString lastEquation_;
    QString lastSortFormula_;
    QString lastAttributes_;
};

}  // namespace kel
