#include "list/KelList.h"

#include <algorithm>

namespace kel {

void KelList::SetCurrent(int index) {
    if (!IsValidIndex(index)) index = -1;
    if (index == current_) return;
    current_ = index;
    Q_EMIT CurrentChanged(index);
}

void KelList::SetSelected(int i, bool on) {
    if (!IsValidIndex(i) || bool(selected_[size_t(i)]) == on) return;
    selected_[size_t(i)] = on;
    selectedCount_ += on ? 1 : -1;
    Q_EMIT SelectionChanged(i);
}

std::vector<int> KelList::SelectedIndexes() const {
    std::vector<int> out;
    out.reserve(size_t(selectedCount_));
    for (int i = 0; i < Count() && int(out.size()) < selectedCount_; ++i)
        if (selected_[size_t(i)]) out.push_back(i);
    return out;
}

void KelList::SetSelection(const std::vector<char>& states) {
    bool changed = false;
    int count = 0;
    for (size_t i = 0; i < selected_.size(); ++i) {
        const char on = i < states.size() && states[i] != 0 ? 1 : 0;
        if (selected_[i] != on) {
            selected_[i] = on;
            changed = true;
        }
        count += on;
    }
    selectedCount_ = count;
    if (changed) Q_EMIT SelectionChanged(-1);
}

void KelList::Append(const QString& line) { Insert(Count(), line); }

void KelList::Insert(int index, const QString& line) {
    ++revision_;
    if (index < 0) index = 0;
    if (index > Count()) index = Count();
    lines_.insert(index, line);
    selected_.insert(selected_.begin() + index, char(0));
    Q_EMIT LinesInserted(index, 1);
    if (current_ >= index) {
        ++current_;
        Q_EMIT CurrentChanged(current_);
    }
}

void KelList::InsertLines(int index, const QStringList& lines) {
    if (lines.isEmpty()) return;
    ++revision_;
    index = qBound(0, index, Count());
    const int n = int(lines.size());
    lines_.insert(index, n, QString());
    std::copy(lines.begin(), lines.end(), lines_.begin() + index);
    selected_.insert(selected_.begin() + index, size_t(n), char(0));
    Q_EMIT LinesInserted(index, n);
    if (current_ >= index) {
        current_ += n;
        Q_EMIT CurrentChanged(current_);
    }
}

void KelList::Remove(int index) {
    if (!IsValidIndex(index)) return;
    ++revision_;
    if (selected_[size_t(index)]) --selectedCount_;
    lines_.removeAt(index);
    selected_.erase(selected_.begin() + index);
    Q_EMIT LinesRemoved(index, 1);
    if (current_ >= Count()) {
        current_ = Count() - 1;
        Q_EMIT CurrentChanged(current_);
    }
}

void KelList::Replace(int index, const QString& line) {
    if (!IsValidIndex(index)) return;
    ++revision_;
    lines_[index] = line;
    Q_EMIT LineChanged(index);
}

void KelList::SwapLines(int a, int b) {
    if (!IsValidIndex(a) || !IsValidIndex(b) || a == b) return;
    ++revision_;
    lines_.swapItemsAt(a, b);
    Q_EMIT LineChanged(a);
    Q_EMIT LineChanged(b);
}

void KelList::Clear() {
    ++revision_;
    lines_.clear();
    selected_.clear();
    selectedCount_ = 0;
    current_ = -1;
    Q_EMIT ListReset();
}

void KelList::SetLines(QStringList lines) {
    ++revision_;
    lines_ = std::move(lines);
    selected_.assign(size_t(lines_.size()), char(0));
    selectedCount_ = 0;
    if (current_ >= Count()) current_ = Count() - 1;
    Q_EMIT ListReset();
}

void KelList::RestoreState(QStringList lines, std::vector<char> states, int current) {
    ++revision_;
    lines_ = std::move(lines);
    states.resize(size_t(lines_.size()), char(0));
    selected_ = std::move(states);
    selectedCount_ = int(std::count_if(selected_.begin(), selected_.end(), [](char c) { return c != 0; }));
    current_ = IsValidIndex(current) ? current : -1;
    Q_EMIT ListReset();
    Q_EMIT SelectionChanged(-1);
    Q_EMIT CurrentChanged(current_);
}

QString KelList::SelectedNumText() const {
    return QString::number(selectedCount_) + QLatin1Char('/') + QString::number(Count());
}

}  // namespace kel
