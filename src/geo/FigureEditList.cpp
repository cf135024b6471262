// Figure edits that work on the list alone: Join Pos and the centre point/circle.
#include <algorithm>

#include "list/ListDocument.h"
#include "geo/Coordinates.h"
#include "geo/FigureCentre.h"
#include "geo/FigureEdit.h"
#include "geo/FigureEditSupport.h"
#include "list/ListLine.h"
#include "script/Statement.h"
#include "script/StatementWriter.h"

namespace kel {

using namespace figure_edit;

namespace {

const QString kPosName = QStringLiteral("pos");

// Parameters a centre figure takes over from its source.
const QStringList& CopiedParams(const QString& figureType) {
    static const QStringList kPoint = {"oid", "gid", "str", "strformat", "url", "urltype", "info"};
    static const QStringList kCircle = {"oid", "gid", "r", "rmax", "strpos"};
    static const QStringList kNone;
    if (figureType == QLatin1String("point")) return kPoint;
    if (figureType == QLatin1String("circle")) return kCircle;
    return kNone;
}

// Runs the current-figure switch so that it shows the current command again.
void RefreshCurrentFigure(ListDocument& editor, FigureEditState& state) {
    if (!state.HasDispClick() || editor.DispCaption() != QLatin1String("ON")) return;
    state.DispClick();
    state.DispClick();
}

}  // namespace

void JoinPos(ListDocument& editor, FigureEditState& state) {
    KelList& list = editor.List();
    const int cur = list.Current();
    if (!list.IsValidIndex(cur) || cur + 1 >= list.Count()) return;
    const QString text = editor.CommandTextAt(cur);
    const QString word = CommandWord(text);
    if (word != QLatin1String("line") && word != QLatin1String("area")) return;
    const QString pos = GetParamValue(text, kPosName);
    const QString nextPos = GetParamValue(editor.CommandTextAt(cur + 1), kPosName);
    if (pos.isEmpty() || nextPos.isEmpty()) return;

    const MovedPos joined = JoinPosTexts(pos, nextPos);
    if (!joined.ok()) {
        TellRefusal(editor, joined.refusal, QStringLiteral("Join Pos"));
        return;
    }
    // The joined value goes through the value box, as if typed, and is applied as an edit.
    const ParamEditorState& params = editor.Params();
    if (!params.Loaded() || params.kelListNCaption.toInt() != cur) {
        editor.ClickLine(cur);
        if (!editor.Params().Loaded() || editor.Params().kelListNCaption.toInt() != cur) return;
    }
    editor.SetParValue(ParamSlot(word, kPosName), joined.pos);
    if (!editor.ApplyPendingEdits()) return;
    RefreshCurrentFigure(editor, state);
}

void AddCenterFigure(ListDocument& editor, const QString& figureType) {
    if (figureType != QLatin1String("point") && figureType != QLatin1String("circle")) return;
    if (!editor.ApplyPendingEdits()) return;
    KelList& list = editor.List();
    std::vector<int> sources = list.SelectedIndexes();
    if (sources.empty()) {
        if (!list.IsValidIndex(list.Current())) return;
        sources.push_back(list.Current());
    }
    // From the last source up, so that an insertion does not move the sources before it.
    std::sort(sources.begin(), sources.end(), std::greater<int>());
    const int posSlot = ParamSlot(figureType, kPosName);
    bool added = false;
    for (const int i : sources) {
        editor.CaptionRoll(QStringLiteral(" [") + QString::number(i) + QLatin1Char(']'));
        const QString text = editor.CommandTextAt(i);
        const QString word = CommandWord(text);
        if (!IsFigureCommand(word)) continue;
        const std::optional<CentreTexts> centre = CenterPos(GetParamValue(text, kPosName), word);
        if (!centre) continue;

        Slots slots;
        for (const QString& name : CopiedParams(figureType))
            slots[ParamSlot(figureType, name)] = GetParamValue(text, name);
        slots[posSlot] = ConvertCoord(centre->lat, QStringLiteral("D"), QStringLiteral("KEL")) +
                         QLatin1Char(',') +
                         ConvertCoord(centre->lon, QStringLiteral("D"), QStringLiteral("KEL"));
        const BuiltStatement built = BuildStatement(figureType, slots);
        if (!built.ok()) {
            editor.MsgBox2(QStringLiteral("[") + QString::number(i) +
                               QStringLiteral("]の中心図形は保存できません．") + built.reason,
                           kButtonsOk, QStringLiteral("Center"));
            break;
        }
        if (!InsertCommand(editor, i + 1, built.text)) break;
        list.SetSelected(i, false);
        added = true;
    }
    editor.CaptionRoll(QStringLiteral("Off"));
    if (added) ReloadParamEditor(editor);
}

}  // namespace kel
