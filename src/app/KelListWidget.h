// The command list view (`KelList`): a list view over the editor's command list that
// shows the 40-column lines in a fixed-pitch font, keeps its selection and current line
// in step with the list in both directions, turns a user's click into the editor's list
// click, and hands dropped files and URLs to the editor.
#pragma once

#include <QFont>
#include <QListView>

namespace kel {

class Editor;
class KelListModel;

class KelListWidget : public QListView {
    Q_OBJECT
public:
    explicit KelListWidget(Editor& editor, QWidget* parent = nullptr);

    // The fixed-pitch face with double-width Japanese characters the list and the value
    // boxes use (IPAGothic where installed), else the system's fixed font.
    static QFont FixedPitchFont();

    // Takes over the list's selection now, when a change is waiting.
    void SyncSelection();
    // Takes over every waiting change of the list (lines, selection) now.
    void Flush();

Q_SIGNALS:
    // A click or key moved the current line and the editor has handled it.
    void LineClicked();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void SelectionFromList(int);
    void CurrentFromList();
    void SelectionFromView(const QItemSelection& selected, const QItemSelection& deselected);
    void CurrentFromView(const QModelIndex& current);

    Editor& editor_;
    KelListModel* model_ = nullptr;
    bool syncing_ = false;
    bool selectionPending_ = false;
};

}  // namespace kel
