#include "app/KelListWidget.h"

#include <QDragEnterEvent>
#include <QFontDatabase>
#include <QMimeData>
#include <QScopedValueRollback>

#include "editor/Editor.h"
#include "app/KelListModel.h"

namespace kel {

namespace {

bool CanDrop(const QMimeData* data) { return data && (data->hasUrls() || data->hasText()); }

}  // namespace

QFont KelListWidget::FixedPitchFont() {
    // The first of these that is installed; IPAGothic (fonts-ipafont-gothic) has the
    // metrics of the face the scripts were written with.
    static const char* const kFamilies[] = {"ＭＳ ゴシック", "MS Gothic", "IPAGothic",
                                            "IPAゴシック", "Noto Sans Mono CJK JP"};
    const QStringList installed = QFontDatabase::families();
    for (const char* family : kFamilies) {
        const QString name = QString::fromUtf8(family);
        if (installed.contains(name)) {
            QFont font(name);
            font.setStyleHint(QFont::TypeWriter);
            font.setFixedPitch(true);
            return font;
        }
    }
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

KelListWidget::KelListWidget(Editor& editor, QWidget* parent)
    : QListView(parent), editor_(editor), model_(new KelListModel(editor.List(), this)) {
    setObjectName(QStringLiteral("KelList"));
    setAccessibleName(QStringLiteral("KelList"));
    setFont(FixedPitchFont());
    setModel(model_);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every line has the same height: the view need not measure 100,000 of them.
    setUniformItemSizes(true);
    setLayoutMode(QListView::Batched);
    setBatchSize(2000);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);

    KelList& list = editor.List();
    connect(&list, &KelList::SelectionChanged, this, &KelListWidget::SelectionFromList);
    connect(&list, &KelList::CurrentChanged, this, [this] { CurrentFromList(); });
    connect(&list, &KelList::ListReset, this, [this] {
        SelectionFromList(-1);
        CurrentFromList();
    });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &KelListWidget::SelectionFromView);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { CurrentFromView(current); });
}

void KelListWidget::SelectionFromList(int index) {
    if (syncing_) return;
    const QScopedValueRollback<bool> guard(syncing_, true);
    const KelList& list = editor_.List();
    if (index >= 0) {
        selectionModel()->select(model_->index(index), list.Selected(index)
                                                           ? QItemSelectionModel::Select
                                                           : QItemSelectionModel::Deselect);
        return;
    }
    // Many lines at once: one selection made of the runs of selected lines.
    QItemSelection selection;
    const std::vector<int> rows = list.SelectedIndexes();
    for (size_t k = 0; k < rows.size();) {
        size_t end = k;
        while (end + 1 < rows.size() && rows[end + 1] == rows[end] + 1) ++end;
        selection.append(QItemSelectionRange(model_->index(rows[k]), model_->index(rows[end])));
        k = end + 1;
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void KelListWidget::CurrentFromList() {
    if (syncing_) return;
    const QScopedValueRollback<bool> guard(syncing_, true);
    const int current = editor_.List().Current();
    const QModelIndex at = current >= 0 ? model_->index(current) : QModelIndex();
    selectionModel()->setCurrentIndex(at, QItemSelectionModel::NoUpdate);
    if (at.isValid()) scrollTo(at);
}

void KelListWidget::SelectionFromView(const QItemSelection& selected,
                                      const QItemSelection& deselected) {
    if (syncing_) return;
    const QScopedValueRollback<bool> guard(syncing_, true);
    KelList& list = editor_.List();
    std::vector<char> states(size_t(list.Count()), 0);
    for (const int i : list.SelectedIndexes()) states[size_t(i)] = 1;
    const auto apply = [&states](const QItemSelection& ranges, char on) {
        for (const QItemSelectionRange& r : ranges)
            for (int i = r.top(); i <= r.bottom(); ++i)
                if (i >= 0 && i < int(states.size())) states[size_t(i)] = on;
    };
    apply(deselected, 0);
    apply(selected, 1);
    list.SetSelection(states);
}

void KelListWidget::CurrentFromView(const QModelIndex& current) {
    if (syncing_ || !current.isValid()) return;
    {
        const QScopedValueRollback<bool> guard(syncing_, true);
        editor_.List().SetCurrent(current.row());
    }
    editor_.KelListClick();
    // The click may have kept the previous line (an edit there could not be stored).
    CurrentFromList();
    Q_EMIT LineClicked();
}

void KelListWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (CanDrop(event->mimeData())) event->acceptProposedAction();
}

void KelListWidget::dragMoveEvent(QDragMoveEvent* event) {
    if (CanDrop(event->mimeData())) event->acceptProposedAction();
}

void KelListWidget::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    if (!CanDrop(data)) return;
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    event->acceptProposedAction();
    if (data->hasUrls() && !data->urls().isEmpty()) {
        const QUrl url = data->urls().first();
        if (url.isLocalFile()) {
            QStringList paths;
            for (const QUrl& u : data->urls())
                if (u.isLocalFile()) paths << u.toLocalFile();
            editor_.DropFiles(paths, shift);
        } else {
            editor_.DropText(url.toString(), shift);
        }
    } else {
        editor_.DropText(data->text().trimmed(), shift);
    }
    Q_EMIT LineClicked();
}

}  // namespace kel
