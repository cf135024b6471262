// The command list: one 40-column line per script command, in script order, with a
// selected state per line and a current index (-1 when none). Every change of the list goes
// through this class, which tells its views what changed.
#pragma once

#include <QObject>
#include <QStringList>
#include <vector>

namespace kel {

class KelList : public QObject {
    Q_OBJECT
public:
    explicit KelList(QObject* parent = nullptr) : QObject(parent) {}

    int Count() const { return int(lines_.size()); }
    const QString& Line(int i) const { return lines_[i]; }
    const QStringList& Lines() const { return lines_; }
    bool IsValidIndex(int i) const { return i >= 0 && i < Count(); }

    int Current() const { return current_; }
    void SetCurrent(int index);

    bool Selected(int i) const { return IsValidIndex(i) && selected_[size_t(i)]; }
    void SetSelected(int i, bool on);
    int SelectedCount() const { return selectedCount_; }
    std::vector<int> SelectedIndexes() const;
    // Sets the selected state of every line at once (states[i] != 0: selected; lines past
    // the end of `states` are deselected) and tells the views once (SelectionChanged(-1))
    // when anything changed.
    void SetSelection(const std::vector<char>& states);
    // The selected state of every line (1 selected), in list order.
    const std::vector<char>& SelectionStates() const { return selected_; }

    // Counts every change of the lines (not of the selection or the current line), so that a
    // caller can tell cheaply whether the lines changed since it last looked.
    quint64 ContentRevision() const { return revision_; }

    void Append(const QString& line);
    // Inserts before `index` (0..Count()); the current index moves with its line.
    void Insert(int index, const QString& line);
    // Inserts a block of lines before `index` in one step, as Insert does for one.
    void InsertLines(int index, const QStringList& lines);
    // Removes a line; the current index stays at the same number (clamped to the new last
    // line, -1 when the list becomes empty).
    void Remove(int index);
    void Replace(int index, const QString& line);
    // Exchanges the texts of two lines (selection stays with the index).
    void SwapLines(int a, int b);
    void Clear();
    // Replaces all lines at once (selection cleared, current kept when valid).
    void SetLines(QStringList lines);
    // Puts back a whole state at once: lines, selected states and current line (undo and
    // redo). The views are told once (ListReset), then of the selection and current line.
    void RestoreState(QStringList lines, std::vector<char> states, int current);

    // "selected/count", as the counter box beside the list shows it.
    QString SelectedNumText() const;

Q_SIGNALS:
    void LinesInserted(int first, int count);
    void LinesRemoved(int first, int count);
    void LineChanged(int index);
    void SelectionChanged(int index);  // -1: many lines
    void CurrentChanged(int index);
    void ListReset();

private:
    QStringList lines_;
    std::vector<char> selected_;
    int selectedCount_ = 0;
    int current_ = -1;
    quint64 revision_ = 0;
};

}  // namespace kel
