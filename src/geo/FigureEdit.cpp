// The snap button and its modes: plain snap, move, divide and combine.
#include "geo/FigureEdit.h"

#include "list/ListDocument.h"
#include "geo/Coordinates.h"
#include "geo/FigureDisplay.h"
#include "geo/FigureEditSupport.h"
#include "geo/FigureGeometry.h"
#include "geo/FigurePositions.h"
#include "geo/FigureShape.h"
#include "geo/Geometry.h"
#include "geo/MapMark.h"
#include "geo/NearestPos.h"
#include "list/ListLine.h"
#include "platform/Prompts.h"
#include "script/Statement.h"

namespace kel {

using namespace figure_edit;

namespace {

const QString kPos = QStringLiteral("pos");
const QString kLine = QStringLiteral("line");
const QString kPoint = QStringLiteral("point");
// Highlight styles of the snapped figure and node.
const QString kSnapFigureStyle = QStringLiteral("Snap");
const QString kSnapNodeStyle = QStringLiteral("SnapNode");
// Yes/No with the question icon.
constexpr int kAskYesNo = kButtonsYesNo + kIconQuestion;
// A figure is near the mark for the edits when it lies within this many marker sizes,
// the margin by which the nearest-position search widens the figures' boxes.
constexpr double kNearMarkerSizes = 5;

// A mark the map holds but whose texts cannot be read is said, never taken as a position.
void TellMarkProblem(ListDocument& editor, const MarkPosition& mark) {
    if (!mark.problem.isEmpty())
        editor.MsgBox2(mark.problem, kButtonsOk + kIconExclamation, QStringLiteral("Caution"));
}

void SetMode(FigureEditState& state, FigureEditMode mode) {
    if (state.mode == mode) return;
    state.mode = mode;
    Q_EMIT state.CaptionChanged(SnapCaption(mode));
}

FigureDisplay* Map(ListDocument& editor) {
    return editor.Services().figures;
}

int DrawHighlight(ListDocument& editor, const QString& style, const QString& figureType,
                  const QString& posText) {
    FigureDisplay* map = Map(editor);
    if (!map) return 0;
    const int n = map->DrawFigureObject(style, figureType, posText, 0);
    return n > 0 ? n : 0;
}

void RemoveHighlight(ListDocument& editor, int& handle) {
    editor.RemoveFigure(handle);
    handle = 0;
}

void RemoveHighlights(ListDocument& editor, FigureEditState& state) {
    RemoveHighlight(editor, state.snapFigure);
    RemoveHighlight(editor, state.snapNode);
    RemoveHighlight(editor, state.snapNode2);
}

QString KelPair(double lat_deg, double lon_deg) {
    const FigurePos p = PositionAt(lat_deg, lon_deg);
    return p.lat + QLatin1Char(',') + p.lon;
}

// Shows the snapped figure of entry `hit.entry` and, when the point found is a node, the node.
void HighlightHit(ListDocument& editor, FigureEditState& state, const SnapHit& hit, bool atNode) {
    const FigureShape shape = FigureShapeOfCommand(editor.CommandTextAt(hit.entry));
    state.snapFigure = DrawHighlight(editor, kSnapFigureStyle, shape.figureType, shape.posText);
    if (atNode)
        state.snapNode = DrawHighlight(editor, kSnapNodeStyle, kPoint,
                                       KelPair(hit.spot.lat_deg, hit.spot.lon_deg));
}

// Ends an edit (done or refused): every mode off, the highlights gone.
void EndEdit(ListDocument& editor, FigureEditState& state) {
    RemoveHighlights(editor, state);
    state.kept = {};
    SetMode(state, FigureEditMode::kSnap);
}

struct Found {
    SnapHit hit;
    bool atNode = false;
};

// GetNearestPos from the mark. Nothing is found without a mark.
Found SnapAtMark(ListDocument& editor, const FigureEditState& state, const MarkPosition& mark,
                 int exclude = -1, bool nodesOnly = false) {
    Found out;
    if (!mark.valid || !state.map) return out;
    NearestPosQuery q;
    q.lat_deg = mark.lat_deg;
    q.lon_deg = mark.lon_deg;
    q.searchDistance_km = state.map->MarkerSize();
    q.tolerance_km = kNearMarkerSizes * state.map->MarkerSize();
    q.excludeIndex = exclude;
    q.nodesOnly = nodesOnly;
    const NearestPos n = GetNearestPos(editor, q);
    editor.CaptionRoll(QStringLiteral("Off"));
    if (!n.found()) return out;
    out.hit.entry = n.index;
    out.hit.spot = {n.nodePosition, n.lat_deg, n.lon_deg};
    out.hit.figureType = n.figureType;
    out.hit.posText = n.posText;
    out.atNode = n.atNode;
    return out;
}

// The entry the first step kept, found again: at its index when the line there still holds
// the kept slot, else by its slot anywhere in the list; -1 when it is gone or was changed.
int KeptEntry(ListDocument& editor, const FigureEditState& state) {
    const KelList& list = editor.List();
    const auto holds = [&](int i) {
        return ListLineSlot(list.Line(i)) == state.kept.slot &&
               editor.CommandTextAt(i) == state.kept.text;
    };
    if (list.IsValidIndex(state.kept.entry) && holds(state.kept.entry)) return state.kept.entry;
    for (int i = 0; i < list.Count(); ++i)
        if (holds(i)) return i;
    return -1;
}

void Keep(ListDocument& editor, FigureEditState& state, const SnapHit& hit) {
    state.kept.entry = hit.entry;
    state.kept.slot = ListLineSlot(editor.List().Line(hit.entry));
    state.kept.text = editor.CommandTextAt(hit.entry);
    state.kept.figureType = hit.figureType;
    state.kept.posText = hit.posText;
    state.kept.origin = hit.spot;
}

// The end node (1 or the last) at which a figure was snapped; 0 when not at an end.
int EndNodeOf(const Found& f) {
    if (!f.atNode) return 0;
    const int node = NodeNumber(f.hit.spot.node);
    if (node == 1) return 1;
    const int count = ReadFigurePositions(f.hit.posText).count();
    return node == count ? count : 0;
}

// --- Move -------------------------------------------------------------------------------

void MoveOrigin(ListDocument& editor, FigureEditState& state, const MarkPosition& mark) {
    const Found f = SnapAtMark(editor, state, mark);
    if (!f.hit.Found()) return;
    HighlightHit(editor, state, f.hit, f.atNode);
    Keep(editor, state, f.hit);
    SetMode(state, FigureEditMode::kMoveTarget);
}

void MoveTarget(ListDocument& editor, FigureEditState& state, const MarkPosition& mark) {
    if (!mark.valid) return;
    const int entry = KeptEntry(editor, state);
    if (entry < 0) {
        EndEdit(editor, state);
        return;
    }
    // The destination: a node of another figure when one is near, else the mark itself.
    double lat = mark.lat_deg, lon = mark.lon_deg;
    const Found f = SnapAtMark(editor, state, mark, entry);
    RemoveHighlight(editor, state.snapNode2);
    if (f.hit.Found()) {
        lat = f.hit.spot.lat_deg;
        lon = f.hit.spot.lon_deg;
        state.snapNode2 = DrawHighlight(editor, kSnapNodeStyle, kPoint, KelPair(lat, lon));
    }
    if (editor.MsgBox2(QStringLiteral("選択図形を移動しますか？"), kAskYesNo,
                       QStringLiteral("Move")) != kAnswerYes) {
        EndEdit(editor, state);
        return;
    }
    const QString text = editor.CommandTextAt(entry);
    const MovedPos moved = MovePos(GetParamValue(text, kPos), lat - state.kept.origin.lat_deg,
                                   lon - state.kept.origin.lon_deg);
    EndEdit(editor, state);
    if (!moved.ok()) {
        TellRefusal(editor, moved.refusal, QStringLiteral("Move"));
        return;
    }
    const QString newText = WithParam(editor, text, kPos, moved.pos, QStringLiteral("Move"));
    if (newText.isEmpty() || !ReplaceCommand(editor, entry, newText)) return;
    editor.ClickLine(entry);
}

// --- Divide -----------------------------------------------------------------------------

void Divide(ListDocument& editor, FigureEditState& state, const MarkPosition& mark) {
    const Found f = SnapAtMark(editor, state, mark);
    // Only lines are divided; an area or rect would need a cut across its region.
    if (!f.hit.Found() || f.hit.figureType != kLine) return;
    const QString text = editor.CommandTextAt(f.hit.entry);
    const DividedPos parts = DividePos(f.hit.posText, f.hit.spot);
    if (!parts.ok()) {
        // At an end there is nothing to divide; the mode stays for another click.
        TellRefusal(editor, parts.refusal, QStringLiteral("Divide"));
        if (parts.refusal == EditRefusal::kOverLimit) EndEdit(editor, state);
        return;
    }
    RemoveHighlights(editor, state);
    HighlightHit(editor, state, f.hit, true);
    if (editor.MsgBox2(QStringLiteral("選択図形を分割しますか？"), kAskYesNo,
                       QStringLiteral("Divide")) != kAnswerYes) {
        EndEdit(editor, state);
        return;
    }
    EndEdit(editor, state);
    const QString firstText = WithParam(editor, text, kPos, parts.first, QStringLiteral("Divide"));
    if (firstText.isEmpty()) return;
    const QString secondText =
        WithParam(editor, text, kPos, parts.second, QStringLiteral("Divide"));
    if (secondText.isEmpty()) return;
    // The second part goes in first: if the first cannot then be stored, taking the second
    // out again leaves the list as it was.
    const int entry = f.hit.entry;
    if (!InsertCommand(editor, entry + 1, secondText)) return;
    if (!ReplaceCommand(editor, entry, firstText)) {
        editor.RemoveFigure(ListLineFigure(editor.List().Line(entry + 1)));
        editor.List().Remove(entry + 1);
        return;
    }
    ReloadParamEditor(editor);
}

// --- Combine ----------------------------------------------------------------------------

void CombineFirst(ListDocument& editor, FigureEditState& state, const MarkPosition& mark) {
    const Found f = SnapAtMark(editor, state, mark, -1, true);
    if (!f.hit.Found() || f.hit.figureType != kLine) return;
    const int end = EndNodeOf(f);
    if (end == 0) return;
    const OrientedLine line = OrientToEnd(f.hit.posText, end);
    if (!line.ok()) {
        TellRefusal(editor, line.refusal, QStringLiteral("Conbine"));
        return;
    }
    HighlightHit(editor, state, f.hit, true);
    Keep(editor, state, f.hit);
    state.kept.posText = line.pos;
    SetMode(state, FigureEditMode::kCombineSecond);
}

void CombineSecond(ListDocument& editor, FigureEditState& state, const MarkPosition& mark) {
    const int entry = KeptEntry(editor, state);
    if (entry < 0) {
        EndEdit(editor, state);
        return;
    }
    const Found f = SnapAtMark(editor, state, mark, entry, true);
    if (!f.hit.Found() || (f.hit.figureType != kLine && f.hit.figureType != kPoint)) return;
    const int end = EndNodeOf(f);
    if (end == 0) return;
    RemoveHighlight(editor, state.snapNode2);
    state.snapNode2 = DrawHighlight(editor, kSnapNodeStyle, kPoint,
                                    KelPair(f.hit.spot.lat_deg, f.hit.spot.lon_deg));
    if (editor.MsgBox2(QStringLiteral("選択図形を端点で接続しますか？"), kAskYesNo,
                       QStringLiteral("Conbine")) != kAnswerYes) {
        EndEdit(editor, state);
        return;
    }
    const MovedPos joined = CombinePos(state.kept.posText, f.hit.posText, end);
    EndEdit(editor, state);
    if (!joined.ok()) {
        TellRefusal(editor, joined.refusal, QStringLiteral("Conbine"));
        return;
    }
    const QString text = editor.CommandTextAt(entry);
    const QString newText = WithParam(editor, text, kPos, joined.pos, QStringLiteral("Conbine"));
    if (newText.isEmpty() || !ReplaceCommand(editor, entry, newText)) return;
    // The second figure stays in the list (its values are not lost); its shape goes, as its
    // positions are now shown by the joined line.
    KelList& list = editor.List();
    const QString second = list.Line(f.hit.entry);
    editor.RemoveFigure(ListLineFigure(second));
    list.Replace(f.hit.entry, WithFigure(second, 0));
    ReloadParamEditor(editor);
}

}  // namespace

FigureEditState::~FigureEditState() {
    QObject::disconnect(resetConnection);
}

QString SnapCaption(FigureEditMode mode) {
    switch (mode) {
        case FigureEditMode::kSnap:
            return QStringLiteral("Snap");
        case FigureEditMode::kMoveOrigin:
            return QStringLiteral("Org");
        case FigureEditMode::kMoveTarget:
            return QStringLiteral("Dst");
        case FigureEditMode::kDivide:
            return QStringLiteral("Div");
        case FigureEditMode::kCombineFirst:
            return QStringLiteral("Snp1");
        case FigureEditMode::kCombineSecond:
            return QStringLiteral("Snp2");
    }
    return QStringLiteral("Snap");
}

void ArmFigureEdit(FigureEditState& state, FigureEditMode mode) {
    if (mode != FigureEditMode::kMoveOrigin && mode != FigureEditMode::kDivide &&
        mode != FigureEditMode::kCombineFirst)
        return;
    state.kept = {};
    SetMode(state, mode);
}

void ResetFigureEdit(ListDocument& editor, FigureEditState& state) {
    EndEdit(editor, state);
}

int PlainSnap(ListDocument& editor, FigureEditState& state, bool shift) {
    RemoveHighlights(editor, state);
    const MarkPosition mark = ReadMark(state.map);
    if (!mark.valid) {
        TellMarkProblem(editor, mark);
        return -1;
    }
    const double tolerance = state.map->MarkerSize();
    const double margin = RadiusToDegrees(kNearMarkerSizes * tolerance);
    KelList& list = editor.List();
    const int n = list.Count();
    if (n == 0) return -1;
    const int start = list.IsValidIndex(list.Current()) ? list.Current() : n - 1;
    int found = -1;
    int i = start;
    int walked = 0;
    do {
        i = i + 1 >= n ? 0 : i + 1;
        editor.RollProgress(walked++, i);
        if (!IsFigureCommand(ListLineName(list.Line(i)))) continue;
        const GeoFigure figure = GeoFigureOfCommand(editor.CommandTextAt(i));
        if (figure.NodeCount() == 0 ||
            !figure.box.Widened(margin, margin).Contains(mark.lat_deg, mark.lon_deg))
            continue;
        const FigurePoint p = NearestOnFigure(figure, mark.lat_deg, mark.lon_deg);
        if (p.distance_km >= 0 && p.distance_km < tolerance) {
            found = i;
            break;
        }
    } while (i != start);
    editor.CaptionRoll(QStringLiteral("Off"));
    if (found < 0) return -1;

    editor.ClickLine(found);
    if (shift) list.SetSelected(found, true);
    // The current-figure display follows: switched on, or run off and on again.
    if (state.HasDispClick()) {
        if (editor.DispCaption() == QLatin1String("ON")) state.DispClick();
        state.DispClick();
    }
    return found;
}

void SnapObjectClick(ListDocument& editor, FigureEditState& state, bool shift) {
    if (state.mode == FigureEditMode::kSnap) {
        PlainSnap(editor, state, shift);
        return;
    }
    // The click that carries out an edit is one undo step named after the edit, as the
    // editor names the menu items that arm it.
    const bool divide = state.mode == FigureEditMode::kDivide;
    const bool move = state.mode == FigureEditMode::kMoveOrigin || state.mode == FigureEditMode::kMoveTarget;
    HistoryStep step(editor.History(), divide ? QStringLiteral("Figure Divide")
                                       : move ? QStringLiteral("Figure Move")
                                              : QStringLiteral("Figure Combine"));
    // Edits typed into the value boxes are stored first, so that they and the figure edit
    // do not overwrite each other.
    if (!editor.ApplyPendingEdits()) return;
    const MarkPosition mark = ReadMark(state.map);
    if (!mark.valid && !mark.problem.isEmpty()) {
        TellMarkProblem(editor, mark);
        return;
    }
    switch (state.mode) {
        case FigureEditMode::kMoveOrigin:
            if (mark.valid) RemoveHighlights(editor, state);
            MoveOrigin(editor, state, mark);
            break;
        case FigureEditMode::kMoveTarget:
            MoveTarget(editor, state, mark);
            break;
        case FigureEditMode::kDivide:
            Divide(editor, state, mark);
            break;
        case FigureEditMode::kCombineFirst:
            if (mark.valid) RemoveHighlights(editor, state);
            CombineFirst(editor, state, mark);
            break;
        case FigureEditMode::kCombineSecond:
            CombineSecond(editor, state, mark);
            break;
        case FigureEditMode::kSnap:
            break;
    }
}

void SnapFind(ListDocument& editor, FigureEditState& state, bool shift) {
    EndEdit(editor, state);
    PlainSnap(editor, state, shift);
}

void InstallFigureEditActions(ListDocument& editor, FigureEditState& state) {
    ListDocument* e = &editor;
    FigureEditState* s = &state;
    editor.RegisterAction(QStringLiteral("SnapObject"), [e, s] { SnapObjectClick(*e, *s, false); });
    editor.RegisterAction(QStringLiteral("MenuEditSnapFind"), [e, s] { SnapFind(*e, *s, false); });
    editor.RegisterAction(QStringLiteral("MenuEditSnapSelect"), [e, s] { SnapFind(*e, *s, true); });
    editor.RegisterAction(QStringLiteral("KelEditFigureMove"),
                          [s] { ArmFigureEdit(*s, FigureEditMode::kMoveOrigin); });
    editor.RegisterAction(QStringLiteral("KelEditFigureDivide"),
                          [s] { ArmFigureEdit(*s, FigureEditMode::kDivide); });
    editor.RegisterAction(QStringLiteral("KelEditFigureConbine"),
                          [s] { ArmFigureEdit(*s, FigureEditMode::kCombineFirst); });
    editor.RegisterAction(QStringLiteral("KelEditFigureBoolean"), [] {});
    editor.RegisterAction(QStringLiteral("MenuEditPosJoin"), [e, s] { JoinPos(*e, *s); });
    editor.RegisterAction(QStringLiteral("KelEditFigureCenterPoint"),
                          [e] { AddCenterFigure(*e, QStringLiteral("point")); });
    editor.RegisterAction(QStringLiteral("KelEditFigureCenterCircle"),
                          [e] { AddCenterFigure(*e, QStringLiteral("circle")); });
    // A cleared or replaced document takes the modes and highlights with it.
    QObject::disconnect(state.resetConnection);
    state.resetConnection = QObject::connect(&editor.List(), &KelList::ListReset,
                                             &editor.List(), [e, s] { ResetFigureEdit(*e, *s); });
}

}  // namespace kel
