// The undo history of the command list. Command texts are never changed in place: every
// changed command gets a new slot in the append-only text store, so a state of the document
// is fully described by the list's lines (with their slot numbers), the selected states and
// the current line. A step keeps the state before and after one operation; the line lists
// are Qt's implicitly shared lists, so consecutive states share their data and a step over
// 100,000 lines costs what the operation itself made new, not a copy of every text.
//
// Operations open a step with Begin(name) and close it with End() (nested steps belong to
// the outermost one). A change of the lines made outside any step (a click on the map that
// moves a figure, ...) is not lost: it becomes a step of its own before the next step opens,
// before an undo, and before a save marks the clean state.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

namespace kel {

class KelList;
class CommandTexts;

struct ListState {
    QStringList lines;
    std::vector<char> selected;
    int current = -1;
};

class ListHistory : public QObject {
    Q_OBJECT
public:
    // The default caps: steps kept, and the memory they may hold (an estimate of the lines
    // and texts that only the history still refers to).
    static constexpr int kDefaultMaxSteps = 100;
    static constexpr qint64 kDefaultMaxBytes = qint64(256) * 1024 * 1024;
    // The name of a step made of changes that no operation opened.
    static const QString& kUnnamedStep;

    ListHistory(KelList& list, const CommandTexts& texts, QObject* parent = nullptr);

    // --- Recording -------------------------------------------------------------------------
    void Begin(const QString& name);
    void End();
    bool InStep() const { return depth_ > 0; }
    // Whether the lines changed since the outermost open step began.
    bool OpenStepChanged() const;
    // Records what the open step changed so far as a step of its own named `name` and goes
    // on recording the rest under the open step's name (an edit applied at the start of an
    // operation is undone on its own).
    void Split(const QString& name);
    // Records a change of the lines made outside any step as a step of its own.
    void Flush();
    // Starts a new history from the list as it stands when the current step ends (or now,
    // outside a step): open, new, clear and reload.
    void Reset();
    // The document as it stands is the saved one (a save, or a freshly opened file).
    void MarkClean();
    // Whether the state reached by the last undo/redo/step is the saved one.
    bool IsClean() const { return index_ == clean_; }
    // Whether the list holds changes since the start of the history (recorded or not).
    bool HasChanges() const;

    // --- Undo and redo -----------------------------------------------------------------------
    bool CanUndo() const;
    bool CanRedo() const { return depth_ == 0 && index_ < int(steps_.size()); }
    // The names of the step an undo or redo would take back or make again ("Lump Input").
    QString UndoName() const;
    QString RedoName() const;
    // The state an undo or redo goes to, after recording pending changes; null when there is
    // nothing to undo or redo. The caller may adjust it (drawn figure numbers) before it
    // restores it, then calls Moved.
    ListState* UndoTarget();
    ListState* RedoTarget();
    // Tells the history that the list now shows the state of an undo (-1) or redo (+1).
    void Moved(int direction);

    int StepCount() const { return int(steps_.size()); }
    int Index() const { return index_; }

    // --- Caps ------------------------------------------------------------------------------
    void SetLimits(int maxSteps, qint64 maxBytes);
    int MaxSteps() const { return maxSteps_; }
    qint64 MaxBytes() const { return maxBytes_; }
    qint64 Bytes() const { return bytes_; }
    // Drops the oldest step (said through Notice); false when there is none.
    bool DropOldest();

    // --- Text store compaction ------------------------------------------------------------
    // Every line list the history holds, each shared list once: for renumbering the slots
    // they refer to when the text store is compacted.
    void ForEachLineList(const std::function<void(QStringList&)>& visit);

Q_SIGNALS:
    // The steps, the position in them or the clean state changed.
    void Changed();
    // Something the user should read in the status line (an old step dropped).
    void Notice(const QString& text);
    // A new history began (another document was loaded, made or cleared).
    void Restarted();

private:
    struct Step {
        QString name;
        ListState before;
        ListState after;
        qint64 bytes = 0;
    };

    ListState Capture() const;
    bool HasPending() const;
    void Push(const QString& name, ListState before, int firstNewSlot);
    void Rebase();
    void Trim();
    qint64 Estimate(const Step& step, int firstNewSlot) const;

    KelList& list_;
    const CommandTexts& texts_;
    std::deque<Step> steps_;
    int index_ = 0;          // steps done: steps_[index_ - 1] is the last
    int clean_ = 0;          // index of the saved state, -1 when it is no longer in reach
    ListState recorded_;     // the state after the last recorded step (or the start)
    quint64 recordedRevision_ = 0;
    int recordedSlot_ = 0;   // LastTextSlot when the recorded state was taken
    int depth_ = 0;
    QString openName_;
    ListState openBefore_;
    quint64 openRevision_ = 0;
    int openSlot_ = 0;
    bool cleanPending_ = false;
    bool resetPending_ = false;
    int maxSteps_ = kDefaultMaxSteps;
    qint64 maxBytes_ = kDefaultMaxBytes;
    qint64 bytes_ = 0;
};

// Opens a step for the life of a scope.
class HistoryStep {
public:
    HistoryStep(ListHistory& history, const QString& name) : history_(history) {
        history_.Begin(name);
    }
    ~HistoryStep() { history_.End(); }
    HistoryStep(const HistoryStep&) = delete;
    HistoryStep& operator=(const HistoryStep&) = delete;

private:
    ListHistory& history_;
};

}  // namespace kel
