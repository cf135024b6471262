#include "geo/SpatialAnalysis.h"

#include "list/ListDocument.h"
#include "geo/FigurePositions.h"
#include "geo/FigureSource.h"
#include "list/ListLine.h"
#include "platform/Prompts.h"
#include "script/Statement.h"

namespace kel {

namespace {

QString SecondPart(const QString& operation) {
    if (operation == kFindInterior)
        return QStringLiteral("（重心がこの図形の内側にある図形を選択します）");
    if (operation == kFindExterior)
        return QStringLiteral("（重心がこの図形の外側にある図形を選択します）");
    if (operation == kFindObject) return QStringLiteral("（この図形の重心を内包する図形を選択します）");
    return QString();
}

// A line's `pos` without its leading arrow mark.
QString WithoutArrow(const QString& posText) { return posText.mid(ArrowPrefix(posText).size()); }

}  // namespace

void SpatialState::SetFullOverlap(bool on) {
    fullOverlap_ = on;
    Q_EMIT CaptionChanged(FullOverlapMenuCaption());
}

QString SpatialState::FullOverlapMenuCaption() const {
    return (fullOverlap_ ? QStringLiteral("[ON]") : QStringLiteral("[OFF]")) + kFullOverlapCaption;
}

void SpatialState::Reinitialise() {
    pendingOperation_.clear();
    Q_EMIT CaptionChanged(FullOverlapMenuCaption());
}

QString SpatialQuestion(const QString& operation, const QString& commandWord) {
    const QChar lf(u'\n');
    if (!commandWord.isEmpty())
        return QStringLiteral("カレント図形([") + commandWord +
               QStringLiteral("])で空間解析を行ないます") + lf + SecondPart(operation);
    return QStringLiteral("今から入力する図形で空間解析を行ないます") + lf + SecondPart(operation) +
           lf + QStringLiteral("[Getpos]窓のコマンド名(rect)をクリックすると図形を変更できます");
}

bool IsSuitableReference(const QString& operation, const QString& word) {
    if (operation == kFindObject) return IsFigureCommand(word);
    if (operation == kFindInterior || operation == kFindExterior)
        return word == QLatin1String("rect") || word == QLatin1String("circle") ||
               word == QLatin1String("area");
    return false;
}

void StartSpatialAnalysis(ListDocument& editor, SpatialState& state, const QString& operation) {
    StartSpatialAnalysis(editor, state, operation, editor.CommandTextAt(editor.List().Current()));
}

void StartSpatialAnalysis(ListDocument& editor, SpatialState& state, const QString& operation,
                          const QString& referenceText) {
    if (!IsSpatialOperation(operation)) return;
    const QString word = CommandWord(referenceText);
    if (IsSuitableReference(operation, word)) {
        if (editor.MsgBox2(SpatialQuestion(operation, word), kButtonsYesNo, kSpatialTitle) !=
            kAnswerYes)
            return;
        // A circle goes with its own radius rather than through the circle1 form, whose rim
        // point is rounded to a tenth of a second.
        const std::vector<int> found = SpatialSelect(editor, state, operation, referenceText);
        Q_EMIT state.ResultsMarked(found);
        return;
    }
    if (editor.MsgBox2(SpatialQuestion(operation, QString()), kButtonsYesNo, kSpatialTitle) !=
        kAnswerYes)
        return;
    OpenGetPos(editor, state, operation, QStringLiteral("rect"), QString());
}

std::vector<int> SpatialSelect(ListDocument& editor, const SpatialState& state,
                               const QString& operation, const QString& referenceText) {
    if (!IsSuitableReference(operation, CommandWord(referenceText))) return {};
    return ReturnGetObject(editor, operation, GetParamValue(referenceText, QStringLiteral("pos")),
                           CommandWord(referenceText), state.FullOverlap(),
                           GetParamValue(referenceText, QStringLiteral("r")));
}

void OpenGetPos(ListDocument& editor, SpatialState& state, const QString& operation,
                const QString& figureType, const QString& posText) {
    FigureSource* source = state.Source();
    if (!source) return;
    const QString type = figureType.isEmpty() ? QStringLiteral("rect") : figureType;
    const QString pos = type == QLatin1String("line") ? WithoutArrow(posText) : posText;
    state.SetPendingOperation(operation);
    SpatialState* s = &state;
    ListDocument* e = &editor;
    source->OpenGetPos(type, QLatin1Char(' ') + pos,
                       [s, e](const QString& drawnType, const QString& drawnPos) {
                           const QString op = s->PendingOperation();
                           s->SetPendingOperation(QString());
                           const std::vector<int> found = ReturnGetObject(
                               *e, op, drawnPos.trimmed(), drawnType, s->FullOverlap());
                           Q_EMIT s->ResultsMarked(found);
                       });
}

ExtremeFound FindExtremeFromCurrent(ListDocument& editor, Extreme which) {
    const int current = editor.List().Current();
    const QString text = editor.CommandTextAt(current);
    if (!IsFigureCommand(CommandWord(text))) return {};
    const ExtremeFound found = FindExtreme(editor, text, current, which);
    if (found.index >= 0) editor.ClickLine(found.index);
    return found;
}

void InstallSpatialActions(ListDocument& editor, SpatialState& state) {
    ListDocument* e = &editor;
    SpatialState* s = &state;
    editor.RegisterAction(QStringLiteral("MenuExecFindInterior"),
                          [e, s] { StartSpatialAnalysis(*e, *s, kFindInterior); });
    editor.RegisterAction(QStringLiteral("MenuExecFindExterior"),
                          [e, s] { StartSpatialAnalysis(*e, *s, kFindExterior); });
    editor.RegisterAction(QStringLiteral("MenuExecFindContainer"),
                          [e, s] { StartSpatialAnalysis(*e, *s, kFindObject); });
    editor.RegisterAction(QStringLiteral("MenuExecFindNearest"),
                          [e] { FindExtremeFromCurrent(*e, Extreme::Nearest); });
    editor.RegisterAction(QStringLiteral("MenuExecFindFarthest"),
                          [e] { FindExtremeFromCurrent(*e, Extreme::Farthest); });
    editor.RegisterAction(QStringLiteral("MenuExecSpatialFg"), [s] { s->ToggleFullOverlap(); });
}

}  // namespace kel
