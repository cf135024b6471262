// Editing the command list as a whole: copy, cut and paste of entries (through the cut
// buffer and the system clipboard), moving entries up and down, changing the selection and
// inserting commands of the library from the Add menus.
//
// The cut buffer holds the copied command texts themselves, not slot numbers: slots are
// handed out again once the list is cleared, so a slot number copied before a clear would
// fetch the text of another entry.

#include <algorithm>

#include "editor/Editor.h"
#include "common/TextFile.h"
#include "list/ListLine.h"
#include "platform/Clipboard.h"
#include "platform/Prompts.h"
#include "script/Statement.h"

namespace kel {

namespace {

// Sets ListClickSuppressed for the life of a loop and puts back the value it had, so that an
// operation run inside another one (select all, bulk runs) does not end the outer one's
// suppression.
class ClickSuppression {
public:
    ClickSuppression(Editor& editor, bool on = true)
        : editor_(editor), before_(editor.ListClickSuppressed()) {
        if (on) editor_.SetListClickSuppressed(true);
    }
    ~ClickSuppression() { editor_.SetListClickSuppressed(before_); }
    ClickSuppression(const ClickSuppression&) = delete;
    ClickSuppression& operator=(const ClickSuppression&) = delete;

private:
    Editor& editor_;
    bool before_;
};

// The commands of a clipboard text: CR and LF are dropped, every ";" closes a command (and
// stays at its end); text after the last ";" is not a command.
QStringList SplitClipboardCommands(const QString& text) {
    QStringList commands;
    commands.reserve(text.count(QLatin1Char(';')));
    QString current;
    for (const QChar c : text) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) continue;
        current.append(c);
        if (c == QLatin1Char(';')) {
            commands.append(current);
            current.clear();
        }
    }
    return commands;
}

// Every pasted entry takes a text slot, and the store can hold one text per line of the
// list: whether `count` more entries fit. Otherwise the user is told and nothing changes.
bool RoomFor(Editor& editor, qsizetype count, const QString& title) {
    const int capacity = editor.Texts().Capacity();
    if (count <= capacity - editor.List().Count()) return true;
    editor.MsgBox2(
        QStringLiteral("%1行を貼り付けるとコマンドの数が上限(%2)を超えるため貼り付けできません．")
            .arg(count)
            .arg(capacity),
        kButtonsOk + kIconExclamation, title);
    return false;
}

// More lines than the store holds could never be pasted: the buffer refuses them.
bool BufferCanHold(Editor& editor, int count, const QString& action, const QString& title) {
    const int capacity = editor.Texts().Capacity();
    if (count <= capacity) return true;
    editor.MsgBox2(QStringLiteral("選択された行の数(%1)が上限(%2)を超えるため%3できません．")
                       .arg(count)
                       .arg(capacity)
                       .arg(action),
                   kButtonsOk + kIconExclamation, title);
    return false;
}

// Draws the figures of pasted texts and makes their lines, from the last text backwards (the
// order in which entries were always pasted, one by one at a fixed index); the lines come
// back in the order of the texts. A text that finds no slot ends the block: the user was told,
// and the lines made so far are those of the texts after it.
QStringList MakePastedLines(Editor& editor, const QStringList& texts) {
    std::vector<QString> reversed;
    reversed.reserve(size_t(texts.size()));
    for (qsizetype k = texts.size(); k >= 1; --k) {
        editor.RollProgress(k);
        const QString& text = texts[k - 1];
        const int figure = editor.DrawCommandFigure(text);
        const QString line = editor.NewListLine(text, figure);
        if (line.isEmpty()) {
            editor.RemoveFigure(figure);
            break;
        }
        reversed.push_back(line);
    }
    return QStringList(reversed.rbegin(), reversed.rend());
}

}  // namespace

void Editor::Copy() {
    if (list_.Current() < 0) return;
    const int selected = list_.SelectedCount();
    if (!BufferCanHold(*this, selected, QStringLiteral("コピー"), QStringLiteral("Copy"))) return;
    QStringList texts;
    if (selected == 0) {
        texts.append(CommandTextAt(list_.Current()));
    } else {
        texts.reserve(selected);
        for (const int i : list_.SelectedIndexes()) {
            texts.append(CommandTextAt(i));
            RollProgress(texts.size());
        }
        CaptionRoll(QStringLiteral("Off"));
    }
    cutBuffer_ = texts;
    const QString clip = texts.join(QStringLiteral("\r\n"));
    if (!clip.isEmpty() && services_.clipboard) services_.clipboard->SetText(clip);
}

void Editor::Cut() {
    const int current = list_.Current();
    if (current < 0) return;
    const int selected = list_.SelectedCount();
    if (!BufferCanHold(*this, selected, QStringLiteral("切り取り"), QStringLiteral("Cut"))) return;
    QStringList texts;
    if (selected > 0) {
        ClickSuppression suppress(*this);
        const std::vector<int> rows = list_.SelectedIndexes();
        texts.reserve(qsizetype(rows.size()));
        for (const int i : rows) {
            texts.append(CommandTextAt(i));
            RollProgress(texts.size());
            RemoveFigure(ListLineFigure(list_.Line(i)));
        }
        // The lines are taken out in one step (removing them one by one moves the rest of a
        // long list once per line); no selected line remains, so no selection does either.
        QStringList kept;
        kept.reserve(list_.Count() - qsizetype(rows.size()));
        for (int i = 0; i < list_.Count(); ++i)
            if (!list_.Selected(i)) kept.append(list_.Line(i));
        list_.SetLines(std::move(kept));
        CaptionRoll(QStringLiteral("Off"));
    } else {
        texts.append(CommandTextAt(current));
        RemoveFigure(ListLineFigure(list_.Line(current)));
        list_.Remove(current);
    }
    cutBuffer_ = texts;
    UnloadEntry();
    KelListClick();
    SetEditFg(1);
    const QString clip = texts.join(QStringLiteral("\r\n"));
    if (!clip.isEmpty() && services_.clipboard) services_.clipboard->SetText(clip);
}

void Editor::Paste() {
    const int n = int(cutBuffer_.size());
    if (n == 0) return;
    if (!RoomFor(*this, n, QStringLiteral("Paste"))) return;
    // Edits of the loaded entry go into it before lines move under it.
    if (!ApplyPendingEdits()) return;
    // Room for the whole block first: renumbering while the block is being made would leave
    // its lines with stale slot numbers.
    if (texts_.LastTextSlot() > texts_.Capacity() - n) RenumberTextStore();
    const int at = qMax(list_.Current(), 0);
    {
        ClickSuppression suppress(*this, n > 1);
        list_.InsertLines(at, MakePastedLines(*this, cutBuffer_));
        CaptionRoll(QStringLiteral("Off"));
    }
    if (list_.Current() < 0) list_.SetCurrent(0);
    KelListClick();
    SetEditFg(1);
}

void Editor::PasteFromClipboard() {
    if (!services_.clipboard) return;
    const QString clip = services_.clipboard->Text();
    const qsizetype n = clip.count(QLatin1Char(';'));
    if (n == 0) return;
    if (!RoomFor(*this, n, QStringLiteral("Paste"))) return;
    if (!ApplyPendingEdits()) return;
    QStringList texts;
    texts.reserve(n);
    for (const QString& command : SplitClipboardCommands(clip)) {
        LineSource source(QStringList{command});
        const QString text = ReadStatement(source);
        if (!text.isEmpty()) texts.append(text);
    }
    if (texts_.LastTextSlot() > texts_.Capacity() - texts.size()) RenumberTextStore();
    const int at = qMax(list_.Current(), 0);
    QStringList lines;
    {
        ClickSuppression suppress(*this);
        lines = MakePastedLines(*this, texts);
        list_.InsertLines(at, lines);
        if (list_.Current() < 0) list_.SetCurrent(0);
        CaptionRoll(QStringLiteral("Off"));
    }
    // The editor is not reloaded; the loaded entry keeps its edits, and its number follows
    // the entry when lines were inserted in front of it.
    if (params_.Loaded() && !lines.isEmpty()) {
        const int loaded = params_.kelListNCaption.toInt();
        if (loaded >= at) {
            params_.kelListNCaption = QString::number(loaded + lines.size());
            Q_EMIT ParamsChanged();
        }
    }
    SetEditFg(1);
}

namespace {

// Moves the selected lines, or the current line, one place up (step -1) or down (+1).
void MoveLines(Editor& editor, int step) {
    KelList& list = editor.List();
    const int current = list.Current();
    if (current < 0) return;
    const int edge = step < 0 ? 0 : list.Count() - 1;  // the line that cannot move on
    if (list.SelectedCount() == 0) {
        if (current != edge) {
            list.SwapLines(current, current + step);
            list.SetCurrent(current + step);
        }
    } else {
        ClickSuppression suppress(editor);
        std::vector<int> rows = list.SelectedIndexes();
        // Lines are moved starting at the edge they move towards, so that a run of selected
        // lines moves as a block.
        if (step > 0) std::reverse(rows.begin(), rows.end());
        if (rows.front() != edge) {
            for (const int i : rows) {
                list.SwapLines(i, i + step);
                list.SetSelected(i, false);
                list.SetSelected(i + step, true);
            }
            list.SetCurrent(qBound(0, current + step, list.Count() - 1));
        }
    }
    editor.UnloadEntry();
    editor.KelListClick();
    editor.SetEditFg(1);
}

}  // namespace

void Editor::MoveUp() {
    MoveLines(*this, -1);
}

void Editor::MoveDown() {
    MoveLines(*this, +1);
}

void Editor::ReverseSelection() {
    if (list_.Count() == 0) return;
    ClickSuppression suppress(*this);
    const int current = list_.Current();
    for (int i = 0; i < list_.Count(); ++i) {
        RollProgress(i);
        list_.SetSelected(i, !list_.Selected(i));
    }
    CaptionRoll(QStringLiteral("Off"));
    list_.SetCurrent(current);
}

void Editor::ClearSelection() {
    if (list_.Count() == 0) return;
    ClickSuppression suppress(*this);
    for (int i = 0; i < list_.Count(); ++i) {
        RollProgress(i);
        list_.SetSelected(i, false);
    }
    CaptionRoll(QStringLiteral("Off"));
}

void Editor::SelectAll() {
    ClearSelection();
    ReverseSelection();
}

void Editor::AddLibraryCommand(int k, int slot) {
    if (k < 0 || k >= library_.Count()) return;
    library_.SetShown(k);
    const int before = list_.Count();
    AddCmd();
    // The picker belongs to the inserted entry; without one (empty list) nothing opens.
    if (list_.Count() == before) return;
    if (slot >= 0 && slot < kSlotCount && valuePickerHook_) valuePickerHook_(slot);
}

}  // namespace kel
