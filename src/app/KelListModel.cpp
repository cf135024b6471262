#include "app/KelListModel.h"

namespace kel {

KelListModel::KelListModel(KelList& list, QObject* parent)
    : QAbstractListModel(parent), list_(&list), rows_(list.Count()) {
    connect(&list, &KelList::LinesInserted, this, [this](int first, int count) {
        if (count <= 0) return;
        beginInsertRows(QModelIndex(), first, first + count - 1);
        rows_ += count;
        endInsertRows();
    });
    connect(&list, &KelList::LinesRemoved, this, [this](int first, int count) {
        if (count <= 0) return;
        beginRemoveRows(QModelIndex(), first, first + count - 1);
        rows_ -= count;
        endRemoveRows();
    });
    connect(&list, &KelList::LineChanged, this, [this](int i) {
        const QModelIndex at = index(i);
        Q_EMIT dataChanged(at, at, {Qt::DisplayRole});
    });
    connect(&list, &KelList::ListReset, this, [this] {
        beginResetModel();
        rows_ = list_ ? list_->Count() : 0;
        endResetModel();
    });
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
