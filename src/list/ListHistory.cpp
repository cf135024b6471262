#include "list/ListHistory.h"

#include <QHash>

#include "list/CommandTexts.h"
#include "list/KelList.h"

namespace kel {

namespace {
const QString kChange = QStringLiteral("Change");

// Rough memory of one list line (the 40-character string and its place in the list).
constexpr qint64 kLineBytes = 40 * 2 + 32 + 24;
// Rough overhead of one stored command text besides its characters.
constexpr qint64 kTextOverhead = 48;
}  // namespace

const QString& ListHistory::kUnnamedStep = kChange;

ListHistory::ListHistory(KelList& list, const CommandTexts& texts, QObject* parent)
    : QObject(parent), list_(list), texts_(texts) {
    recorded_ = Capture();
    recordedRevision_ = list_.ContentRevision();
    recordedSlot_ = texts_.LastTextSlot();
}

ListState ListHistory::Capture() const {
    return ListState{list_.Lines(), list_.SelectionStates(), list_.Current()};
}

bool ListHistory::HasPending() const {
    if (resetPending_ || depth_ > 0) return false;
    if (list_.ContentRevision() == recordedRevision_) return false;
    return list_.Lines() != recorded_.lines;
}

bool ListHistory::HasChanges() const {
    if (resetPending_) return false;
    if (depth_ > 0) return index_ > 0 || list_.Lines() != openBefore_.lines;
    return index_ > 0 || HasPending();
}

bool ListHistory::OpenStepChanged() const {
    if (depth_ == 0) return false;
    return list_.ContentRevision() != openRevision_ && list_.Lines() != openBefore_.lines;
}

void ListHistory::Begin(const QString& name) {
    if (depth_++ > 0) return;
    --depth_;
    Flush();
    ++depth_;
    openName_ = name;
    openBefore_ = Capture();
    openRevision_ = list_.ContentRevision();
    openSlot_ = texts_.LastTextSlot() + 1;
}

void ListHistory::End() {
    if (depth_ == 0 || --depth_ > 0) return;
    const ListState before = std::move(openBefore_);
    openBefore_ = ListState();
    if (resetPending_) {
        Rebase();
    } else if (list_.ContentRevision() != openRevision_ && list_.Lines() != before.lines) {
        Push(openName_, before, openSlot_);
    } else {
        // Only the selection or the current line moved: the next step starts from there.
        recorded_ = Capture();
        recordedRevision_ = list_.ContentRevision();
    }
    if (cleanPending_) {
        cleanPending_ = false;
        clean_ = index_;
        Q_EMIT Changed();
    }
}

void ListHistory::Split(const QString& name) {
    if (depth_ == 0 || resetPending_ || !OpenStepChanged()) return;
    Push(name, openBefore_, openSlot_);
    openBefore_ = recorded_;
    openRevision_ = recordedRevision_;
    openSlot_ = texts_.LastTextSlot() + 1;
}

void ListHistory::Flush() {
    if (depth_ > 0) return;
    if (resetPending_) {
        Rebase();
        return;
    }
    if (list_.ContentRevision() == recordedRevision_) return;
    if (list_.Lines() == recorded_.lines) {
        recordedRevision_ = list_.ContentRevision();
        return;
    }
    Push(kUnnamedStep, recorded_, recordedSlot_ + 1);
}

void ListHistory::Reset() {
    resetPending_ = true;
    if (depth_ == 0) Q_EMIT Changed();
}

void ListHistory::Rebase() {
    resetPending_ = false;
    steps_.clear();
    index_ = 0;
    clean_ = -1;
    bytes_ = 0;
    recorded_ = Capture();
    recordedRevision_ = list_.ContentRevision();
    recordedSlot_ = texts_.LastTextSlot();
    Q_EMIT Restarted();
    Q_EMIT Changed();
}

void ListHistory::MarkClean() {
    if (depth_ > 0) {
        cleanPending_ = true;
        return;
    }
    Flush();
    clean_ = index_;
    Q_EMIT Changed();
}

void ListHistory::Push(const QString& name, ListState before, int firstNewSlot) {
    // A new step ends every step that was undone.
    while (int(steps_.size()) > index_) {
        bytes_ -= steps_.back().bytes;
        steps_.pop_back();
    }
    if (clean_ > index_) clean_ = -1;
    Step step{name, std::move(before), Capture(), 0};
    step.bytes = Estimate(step, firstNewSlot);
    bytes_ += step.bytes;
    recorded_ = step.after;
    recordedRevision_ = list_.ContentRevision();
    recordedSlot_ = texts_.LastTextSlot();
    steps_.push_back(std::move(step));
    ++index_;
    Trim();
    Q_EMIT Changed();
}

qint64 ListHistory::Estimate(const Step& step, int firstNewSlot) const {
    // What the step alone keeps alive: the texts the operation stored, their lines, and the
    // list and selection of the state after it.
    qint64 bytes = 0;
    const int last = texts_.LastTextSlot();
    for (int slot = qMax(firstNewSlot, 1); slot <= last; ++slot)
        bytes += qint64(texts_.Text(slot).size()) * 2 + kTextOverhead + kLineBytes;
    if (step.after.lines.constData() != step.before.lines.constData())
        bytes += qint64(step.after.lines.size()) * qint64(sizeof(QString));
    bytes += qint64(step.after.selected.size() + step.before.selected.size());
    return bytes;
}

void ListHistory::SetLimits(int maxSteps, qint64 maxBytes) {
    maxSteps_ = qMax(1, maxSteps);
    maxBytes_ = qMax<qint64>(1, maxBytes);
    Trim();
    Q_EMIT Changed();
}

void ListHistory::Trim() {
    while (int(steps_.size()) > maxSteps_ || (bytes_ > maxBytes_ && steps_.size() > 1))
        if (!DropOldest()) break;
}

bool ListHistory::DropOldest() {
    if (steps_.empty()) return false;
    QString text;
    if (index_ == 0) {
        // Every step is undone: the oldest is the base the list shows now, so the step
        // furthest away (the last redo) goes instead.
        text = QStringLiteral("Undo history full: the redo step \"%1\" was dropped.")
                   .arg(steps_.back().name);
        bytes_ -= steps_.back().bytes;
        steps_.pop_back();
        if (clean_ > int(steps_.size())) clean_ = -1;
    } else {
        text = QStringLiteral("Undo history full: the oldest step \"%1\" was dropped.")
                   .arg(steps_.front().name);
        bytes_ -= steps_.front().bytes;
        steps_.pop_front();
        --index_;
        if (clean_ >= 0) --clean_;
    }
    Q_EMIT Notice(text);
    Q_EMIT Changed();
    return true;
}

bool ListHistory::CanUndo() const {
    if (depth_ > 0 || resetPending_) return false;
    return index_ > 0 || HasPending();
}

QString ListHistory::UndoName() const {
    if (HasPending()) return kUnnamedStep;
    return index_ > 0 && depth_ == 0 ? steps_[size_t(index_ - 1)].name : QString();
}

QString ListHistory::RedoName() const {
    if (HasPending() || !CanRedo()) return QString();
    return steps_[size_t(index_)].name;
}

ListState* ListHistory::UndoTarget() {
    if (depth_ > 0) return nullptr;
    Flush();
    if (index_ == 0) return nullptr;
    return &steps_[size_t(index_ - 1)].before;
}

ListState* ListHistory::RedoTarget() {
    if (depth_ > 0) return nullptr;
    Flush();
    if (index_ >= int(steps_.size())) return nullptr;
    return &steps_[size_t(index_)].after;
}

void ListHistory::Moved(int direction) {
    index_ = qBound(0, index_ + (direction < 0 ? -1 : 1), int(steps_.size()));
    recorded_ = Capture();
    recordedRevision_ = list_.ContentRevision();
    recordedSlot_ = texts_.LastTextSlot();
    Q_EMIT Changed();
}

void ListHistory::ForEachLineList(const std::function<void(QStringList&)>& visit) {
    std::vector<QStringList*> all;
    all.push_back(&recorded_.lines);
    if (depth_ > 0) all.push_back(&openBefore_.lines);
    for (Step& s : steps_) {
        all.push_back(&s.before.lines);
        all.push_back(&s.after.lines);
    }
    // Lists that share their data are visited once and keep sharing afterwards.
    QHash<const QString*, QStringList*> done;
    for (QStringList* lines : all) {
        const QString* key = lines->constData();
        if (key && done.contains(key)) {
            *lines = *done.value(key);
            continue;
        }
        visit(*lines);
        if (key) done.insert(key, lines);
    }
}

}  // namespace kel
