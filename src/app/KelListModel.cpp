#include "app/KelListModel.h"

#include <QTimer>

namespace kel {

KelListModel::KelListModel(KelList& list, QObject* parent)
    : QAbstractListModel(parent), list_(&list), rows_(list.Count()) {
    connect(&list, &KelList::LinesInserted, this, [this](int first, int count) {
        if (count <= 0 || !Direct()) return;
        beginInsertRows(QModelIndex(), first, first + count - 1);
        rows_ += count;
        endInsertRows();
    });
    connect(&list, &KelList::LinesRemoved, this, [this](int first, int count) {
        if (count <= 0 || !Direct()) return;
        beginRemoveRows(QModelIndex(), first, first + count - 1);
        rows_ -= count;
        endRemoveRows();
    });
    connect(&list, &KelList::LineChanged, this, [this](int i) {
        if (resetPending_ || i < 0 || i >= rows_) return;
        const QModelIndex at = index(i);
        Q_EMIT dataChanged(at, at, {Qt::DisplayRole});
    });
    connect(&list, &KelList::ListReset, this, [this] {
        resetPending_ = false;
        Reset();
    });
}

bool KelListModel::Direct() {
    if (resetPending_) return false;
    if (changesThisTurn_++ == 0) QTimer::singleShot(0, this, &KelListModel::Flush);
    if (changesThisTurn_ <= kDirectChanges) return true;
    // A loop inserting or removing line by line: the views are told once, with a reset,
    // when the loop lets the event loop run again.
    resetPending_ = true;
    return false;
}

void KelListModel::Flush() {
    changesThisTurn_ = 0;
    if (!resetPending_) return;
    resetPending_ = false;
    Reset();
}

void KelListModel::Reset() {
    beginResetModel();
    rows_ = list_ ? list_->Count() : 0;
    endResetModel();
}

int KelListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

QVariant KelListModel::data(const QModelIndex& index, int role) const {
    if (!list_ || !index.isValid() || !list_->IsValidIndex(index.row())) return QVariant();
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return list_->Line(index.row());
    return QVariant();
}

}  // namespace kel
