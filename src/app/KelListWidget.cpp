#include "app/KelListWidget.h"

#include <QDragEnterEvent>
#include <QFontDatabase>
#include <QMimeData>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QScopedValueRollback>
#include <QTimer>

#include "editor/Editor.h"
#include "app/KelListModel.h"

namespace kel {

namespace {

bool CanDrop(const QMimeData* data) { return data && (data->hasUrls() || data->hasText()); }

// Draws the current line framed whether or not the list has the focus: the current line is
// the one the parameter editor shows, and selection is separate from it.
class CurrentLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
        if (!view || view->currentIndex() != index) return;
        painter->save();
        painter->setPen(QPen(option.palette.color(QPalette::Highlight), 1, Qt::DashLine));
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }
};

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
    setItemDelegate(new CurrentLineDelegate(this));
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
    // After a reset (a new document, or a batch of changes) the view has lost its
    // selection and current line: take them over again.
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        SelectionFromList(-1);
        CurrentFromList();
    });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &KelListWidget::SelectionFromView);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { CurrentFromView(current); });
}

void KelListWidget::SelectionFromList(int) {
    if (syncing_) return;
    // Loops change the selection line by line; the view takes it over once, when the
    // operation is done (or when its progress lets the window repaint).
    if (selectionPending_) return;
    selectionPending_ = true;
    QTimer::singleShot(0, this, &KelListWidget::SyncSelection);
}

void KelListWidget::Flush() {
    model_->Flush();
    SyncSelection();
}

void KelListWidget::SyncSelection() {
    if (!selectionPending_) return;
    selectionPending_ = false;
    const QScopedValueRollback<bool> guard(syncing_, true);
    // One selection made of the runs of selected lines.
    QItemSelection selection;
    const std::vector<int> rows = editor_.List().SelectedIndexes();
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

void KelListWidget::SelectionFromView(const QItemSelection&, const QItemSelection&) {
    if (syncing_) return;
    // The user changed the view's selection: it becomes the list's, whole.
    selectionPending_ = false;
    const QScopedValueRollback<bool> guard(syncing_, true);
    KelList& list = editor_.List();
    std::vector<char> states(size_t(list.Count()), 0);
    for (const QItemSelectionRange& r : selectionModel()->selection())
        for (int i = qMax(r.top(), 0); i <= r.bottom() && i < int(states.size()); ++i)
            states[size_t(i)] = 1;
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
