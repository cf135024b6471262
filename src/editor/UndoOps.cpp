// Undo and redo of the editor, the names of its steps, and the compaction of the text store
// that keeps every text the history still refers to.
#include <QHash>
#include <QSet>

#include "editor/Editor.h"
#include "list/ListLine.h"

namespace kel {

QString Editor::StepNameOfAction(const QString& action) {
    static const QHash<QString, QString> kNames = [] {
        QHash<QString, QString> names;
        const auto add = [&names](std::initializer_list<const char*> actions, const char* step) {
            for (const char* a : actions) names.insert(QString::fromLatin1(a), QString::fromUtf8(step));
        };
        add({"CmdCut", "MenuEditKelCut"}, "Cut");
        add({"CmdPaste", "MenuEditKelPaste"}, "Paste");
        add({"MenuEditPasteFromClipBoard"}, "Paste From ClipBoard");
        add({"ListUp", "MenuEditListUp"}, "Turn Up");
        add({"ListDown", "MenuEditListDown"}, "Turn Down");
        add({"CurKelCmd", "MenuExecSaveCurCmd"}, "Edit");
        add({"AddCmd"}, "Add");
        add({"AppendKelFile", "MenuFileAppend"}, "Append");
        add({"MenuExecLumpInput"}, "Lump Input");
        add({"MenuEditListSortUp", "MenuEditListSortDown", "MenuEditListSortUpFigure",
             "MenuEditListSortDownFigure"},
            "Sort List");
        add({"MenuExecSetGroup"}, "Set gid by group");
        add({"MenuExecSetAllGroup"}, "Set gid by All group");
        add({"KelEditFigureMove"}, "Figure Move");
        add({"KelEditFigureDivide"}, "Figure Divide");
        add({"KelEditFigureConbine"}, "Figure Combine");
        add({"MenuEditPosJoin"}, "Join Pos");
        add({"KelEditFigureCenterPoint"}, "Center Point");
        add({"KelEditFigureCenterCircle"}, "Center Circle");
        add({"MenuFileImportWpt"}, "Waypoint+ Import");
        add({"MenuFileImportGpx"}, "GPX Import");
        add({"MenuFileImportGeoJson"}, "GeoJSON Import");
        add({"Calc"}, "Calc");
        // Items that never change the lines record nothing: undo and redo above all (they
        // must not run inside a step). A click on the map (SnapObject) opens the step of the
        // figure edit it carries out itself.
        add({"MenuEditUndo", "MenuEditRedo", "CmdCopy", "MenuEditKelCopy", "SaveKelFile",
             "MenuFileSave", "SaveAsKelFile", "MenuFileSaveAs", "KelListReverse",
             "MenuEditRevSelect", "KelListDeselect", "MenuEditDeSelect", "MenuEditSelectAll",
             "GetDefaultCmd", "MenuEditStockCmd", "MenuEditGetToDefalut", "MenuFileExit",
             "Exit", "MenuFileAbout", "SnapObject"},
            "");
        return names;
    }();
    const auto it = kNames.constFind(action);
    if (it != kNames.constEnd()) return it.value();
    if (action.startsWith(QLatin1String("KelEditFigureAddObject"))) return QStringLiteral("Add");
    // Other items: their name without the menu prefix, in words ("MenuExecFoo" -> "Foo").
    QString name = action;
    for (const char* prefix : {"MenuFile", "MenuEdit", "MenuExec", "MenuView", "KelEdit", "Cmd"}) {
        if (name.startsWith(QLatin1String(prefix)) && name.size() > qsizetype(qstrlen(prefix))) {
            name = name.mid(qsizetype(qstrlen(prefix)));
            break;
        }
    }
    QString words;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (i > 0 && name[i].isUpper() && !name[i - 1].isUpper()) words += QLatin1Char(' ');
        words += name[i];
    }
    return words;
}

bool Editor::Undo() { return StepHistory(-1); }

bool Editor::Redo() { return StepHistory(+1); }

bool Editor::StepHistory(int direction) {
    if (history_.InStep()) return false;
    if (params_.Loaded() && params_.kelListNValue == 1 && !ApplyPendingEdits()) return false;
    ListState* target = direction < 0 ? history_.UndoTarget() : history_.RedoTarget();
    if (!target) return false;
    ShowFiguresOf(*target);
    list_.RestoreState(target->lines, target->selected, target->current);
    history_.Moved(direction);
    // The loaded entry may be another command now: load the current line afresh.
    UnloadEntry();
    KelListClick();
    SetEditFg(history_.IsClean() ? 0 : 1);
    return true;
}

void Editor::ShowFiguresOf(ListState& state) {
    // The map shows the figures of the list's lines. Figures of lines that the state does not
    // hold are removed; lines of the state whose figure was removed since are drawn again and
    // take the new figure's number.
    if (!services_.figures) return;
    QSet<int> shown;
    for (const QString& line : list_.Lines())
        if (const int f = ListLineFigure(line); f > 0) shown.insert(f);
    QSet<int> wanted;
    for (const QString& line : state.lines)
        if (const int f = ListLineFigure(line); f > 0) wanted.insert(f);
    for (const int f : std::as_const(shown))
        if (!wanted.contains(f)) RemoveFigure(f);
    for (qsizetype i = 0; i < state.lines.size(); ++i) {
        const int f = ListLineFigure(state.lines.at(i));
        if (f <= 0 || shown.contains(f)) continue;
        const QString text = texts_.Text(ListLineSlot(state.lines.at(i)));
        state.lines[i] = WithFigure(state.lines.at(i), DrawCommandFigure(text));
    }
}

void Editor::RenumberTextStore(int room) {
    // The list's lines get slots 1..n in list order; texts that only the undo history still
    // refers to follow; every other text (of removed and replaced lines) is dropped. When
    // that leaves too little room, the oldest steps go (the user is told of each), so that a
    // full store is not compacted again for every new text. The cut buffer holds texts, not
    // slots, and needs no change.
    const int capacity = texts_.Capacity();
    const int wantFree = qMin(capacity, qMax(room, capacity / 8));
    std::vector<int> newSlot;
    std::vector<QString> texts;
    const auto number = [&](const QStringList& lines) {
        for (const QString& line : lines) {
            const int old = ListLineSlot(line);
            if (old < 1 || old >= int(newSlot.size()) || newSlot[size_t(old)] != 0) continue;
            texts.push_back(texts_.Text(old));
            newSlot[size_t(old)] = int(texts.size());
        }
    };
    for (;;) {
        newSlot.assign(size_t(texts_.LastTextSlot()) + 1, 0);
        texts.clear();
        number(list_.Lines());
        history_.ForEachLineList([&](QStringList& lines) { number(lines); });
        if (capacity - int(texts.size()) >= wantFree || !history_.DropOldest()) break;
    }
    const auto renumber = [&](const QStringList& lines) {
        QStringList out = lines;
        for (qsizetype i = 0; i < out.size(); ++i) {
            const int old = ListLineSlot(out.at(i));
            if (old >= 1 && old < int(newSlot.size()) && newSlot[size_t(old)] != old)
                out[i] = WithSlot(out.at(i), newSlot[size_t(old)]);
        }
        return out;
    };
    const QStringList live = list_.Lines();
    const QStringList newLive = renumber(live);
    history_.ForEachLineList([&](QStringList& lines) {
        lines = lines.constData() == live.constData() ? newLive : renumber(lines);
    });
    texts_.Reset(std::move(texts));
    for (qsizetype i = 0; i < newLive.size(); ++i)
        if (newLive.at(i) != list_.Line(int(i))) list_.Replace(int(i), newLive.at(i));
}

}  // namespace kel
