#include "geo/FigureEditSupport.h"

#include "list/ListDocument.h"
#include "geo/PosList.h"
#include "list/ListLine.h"
#include "script/StatementWriter.h"

namespace kel::figure_edit {

QString WithParam(ListDocument& editor, const QString& text, const QString& name, const QString& value,
                  const QString& title) {
    const BuiltStatement built = SetParamValue(text, name, value);
    if (built.ok()) return built.text;
    editor.MsgBox2(
        QStringLiteral("[") + name + QStringLiteral("]の値は保存できません．") + built.reason, 0,
        title);
    return QString();
}

bool ReplaceCommand(ListDocument& editor, int i, const QString& text) {
    if (!editor.List().IsValidIndex(i)) return false;
    const int figure = editor.DrawCommandFigure(text);
    const QString line = editor.NewListLine(text, figure);
    if (line.isEmpty()) {
        editor.RemoveFigure(figure);
        return false;
    }
    // The old line is read only now: making the new line may have renumbered the slots.
    editor.RemoveFigure(ListLineFigure(editor.List().Line(i)));
    editor.List().Replace(i, line);
    editor.SetEditFg(1);
    return true;
}

bool InsertCommand(ListDocument& editor, int index, const QString& text) {
    const int figure = editor.DrawCommandFigure(text);
    const QString line = editor.NewListLine(text, figure);
    if (line.isEmpty()) {
        editor.RemoveFigure(figure);
        return false;
    }
    editor.List().Insert(index, line);
    editor.SetEditFg(1);
    return true;
}

void TellRefusal(ListDocument& editor, EditRefusal refusal, const QString& title) {
    if (refusal != EditRefusal::kOverLimit) return;
    editor.MsgBox2(
        QStringLiteral("位置の数が上限(%1)を超えるため編集できません．").arg(kMaxPositions), 0,
        title);
}

void ReloadParamEditor(ListDocument& editor) {
    if (!editor.Params().Loaded()) return;
    const int current = editor.List().Current();
    if (current < 0) {
        editor.UnloadEntry();
        return;
    }
    editor.ClickLine(current);
}

}  // namespace kel::figure_edit
