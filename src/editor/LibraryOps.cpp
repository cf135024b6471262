// The editor's side of the command library: stocking commands of the list into the library,
// and inserting the library entry shown in the drop-down into the list.

#include "editor/Editor.h"
#include "list/ListLine.h"
#include "script/CommandLibrary.h"

namespace kel {

void Editor::StockCommand() {
    if (list_.SelectedCount() > 0) {
        int n = 0;
        for (const int i : list_.SelectedIndexes()) {
            RollProgress(++n);
            library_.Stock(CommandTextAt(i));
        }
        CaptionRoll(QStringLiteral("Off"));
    } else if (list_.Current() >= 0) {
        library_.Stock(CommandTextAt(list_.Current()));
    }
}

void Editor::AddCmd() {
    const int shown = library_.Shown();
    if (shown < 0 || shown >= library_.Count()) return;
    if (list_.Current() < 0) return;
    // The edit in progress belongs to the loaded entry; it is stored before lines move.
    if (!ApplyPendingEdits()) return;
    const int at = list_.Current();
    const QString text = SplitLibraryLine(library_.Lines()[shown]).text;
    const int figure = DrawCommandFigure(text);
    const QString line = NewListLine(text, figure);
    if (line.isEmpty()) {
        RemoveFigure(figure);
        return;
    }
    list_.Insert(at, line);
    list_.SetCurrent(at);
    UnloadEntry();
    KelListClick();
    SetEditFg(kEditFgModified);
}

}  // namespace kel
