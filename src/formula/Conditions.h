// Conditions over the command list: the conditional selection, which sets, narrows or
// widens the list's selection, and the search, which moves the current line to the next
// command satisfying a condition (wrapping at the end).
//
// A condition ("oid=10,20", "width:*,100", "Cmd=point,line", with the selection prefixes
// "&" and "|") is tested for one line by evaluating "Cond(" & condition & ")" in that
// line's context, so it means exactly what the formula function Cond means.
#pragma once

#include <QString>

namespace kel {

class ListDocument;
class FormulaEngine;

// The condition of "Select Figures".
inline const QString kFigureCondition = QStringLiteral("Cmd=point,line,circle,rect,area");

class ConditionOps {
public:
    ConditionOps(ListDocument& editor, FormulaEngine& engine);

    // Conditional selection. An empty condition, or one ending with "=", asks for it first
    // (title "Conditional Select"); otherwise it is used as it is. Without a prefix the
    // selection is replaced; "&" keeps only selected lines that satisfy the condition, "|"
    // adds the lines that satisfy it. The current line stays where it was.
    void SelectByCondition(const QString& condition);
    // The same without a prompt (the formula function ConditionalSelect).
    void SelectWithCondition(const QString& condition);

    // Asks for (empty or ending with "=") or takes a condition, keeps it as the last search
    // condition and runs SearchNext.
    void SearchByCondition(const QString& condition);
    // Makes the next line after the current one (wrapping; the current line is tested last)
    // that satisfies the last search condition the current line, and reloads the parameter
    // editor. Nothing is found: the current line stays; no message. Returns the line found,
    // -1 when none.
    int SearchNext();
    // SearchNext with `condition` in place of the last search condition, which is put back
    // afterwards (the document operations make the `disp` command current this way).
    int SearchNextWith(const QString& condition);

    // i + 1, or 0 when i is the last line's index (or past it).
    int NextIndex(int i) const;

    // The line test: the value of "Cond(condition)" for line i.
    QString TestLine(int i, const QString& condition);

    const QString& LastSearchCondition() const { return lastSearch_; }
    void SetLastSearchCondition(const QString& c) { lastSearch_ = c; }
    const QString& LastSelectCondition() const { return lastSelect_; }
    void SetLastSelectCondition(const QString& c) { lastSelect_ = c; }

private:
    void RunSelection(const QString& condition);

    ListDocument& editor_;
    FormulaEngine& engine_;
    QString lastSearch_;
    QString lastSelect_;
};

}  // namespace kel
