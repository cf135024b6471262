// The command list as an item model for a list view: one row per list line, its text the
// 40-column line. The rows follow the list's own change signals, so a view over 100,000
// lines is told of each change once and asks only for the lines it shows.
#pragma once

#include <QAbstractListModel>
#include <QPointer>

#include "list/KelList.h"

namespace kel {

class KelListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit KelListModel(KelList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QPointer<KelList> list_;
    // The number of rows the views were told of. The list signals after it has changed,
    // so the model keeps its own count to announce the change in Qt's begin/end form.
    int rows_ = 0;
};

}  // namespace kel
