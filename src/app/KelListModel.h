// The command list as an item model for a list view: one row per list line, its text the
// 40-column line. The rows follow the list's own change signals; a loop that inserts or
// removes lines one by one (appending a file of 100,000 commands) is told to the views as one
// reset rather than as 100,000 separate changes.
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

    // Announces a waiting batch of changes now (a reset), as the event loop would.
    void Flush();

    // Changes announced one by one within one turn of the event loop; more than this and
    // the rest of the turn's changes become one reset.
    static constexpr int kDirectChanges = 64;

private:
    bool Direct();
    void Reset();

    QPointer<KelList> list_;
    // The number of rows the views were told of. The list signals after it has changed,
    // so the model keeps its own count to announce the change in Qt's begin/end form.
    int rows_ = 0;
    int changesThisTurn_ = 0;
    bool resetPending_ = false;
};

}  // namespace kel
