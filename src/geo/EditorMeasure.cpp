#include "geo/EditorMeasure.h"

#include "list/ListDocument.h"
#include "script/Statement.h"

namespace kel {

namespace {

struct Sizes {
    QString r;
    QString width;
    QString height;
};

Sizes SizesOfCommand(const QString& commandText) {
    return {GetParamValue(commandText, QStringLiteral("r")),
            GetParamValue(commandText, QStringLiteral("width")),
            GetParamValue(commandText, QStringLiteral("height"))};
}

// The value box of the row labelled `name`; empty when the loaded command has none.
QString ValueBox(const ParamEditorState& params, const QString& name) {
    for (const ParamRow& row : params.rows)
        if (row.visible && row.label == name) return row.value;
    return QString();
}

Sizes SizesOfEditor(const ListDocument& editor, const QString& figureType) {
    const ParamEditorState& params = editor.Params();
    if (!params.Loaded() || params.curKelCmdCaption != figureType) return {};
    return {ValueBox(params, QStringLiteral("r")), ValueBox(params, QStringLiteral("width")),
            ValueBox(params, QStringLiteral("height"))};
}

}  // namespace

AreaLength CalculateAreaLength(const QString& commandText) {
    return CalculateAreaLength(GetParamValue(commandText, QStringLiteral("pos")),
                               CommandWord(commandText), commandText);
}

AreaLength CalculateAreaLength(const QString& posText, const QString& figureType,
                               const QString& commandText) {
    const Sizes s = SizesOfCommand(commandText);
    return MeasureFigure(posText, figureType, s.r, s.width, s.height);
}

QString Calculate(const QString& posText, const QString& figureType, const QString& commandText) {
    const Sizes s = SizesOfCommand(commandText);
    return MeasureFigureText(posText, figureType, s.r, s.width, s.height);
}

AreaLength CalculateAreaLengthOfEditor(const ListDocument& editor, const QString& posText,
                                       const QString& figureType) {
    const Sizes s = SizesOfEditor(editor, figureType);
    return MeasureFigure(posText, figureType, s.r, s.width, s.height);
}

QString CalculateOfEditor(const ListDocument& editor, const QString& posText,
                          const QString& figureType) {
    const Sizes s = SizesOfEditor(editor, figureType);
    return MeasureFigureText(posText, figureType, s.r, s.width, s.height);
}

QString CalculateCurrentObject(const ListDocument& editor) {
    const ParamEditorState& params = editor.Params();
    if (!params.Loaded()) return QString();
    return CalculateOfEditor(editor, ValueBox(params, QStringLiteral("pos")),
                             params.curKelCmdCaption);
}

}  // namespace kel
