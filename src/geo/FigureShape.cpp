#include "geo/FigureShape.h"

#include "geo/FigureMeasure.h"
#include "list/ListLine.h"
#include "script/Statement.h"

namespace kel {

FigureShape FigureShapeOfCommand(const QString& commandText) {
    FigureShape shape;
    const QString word = CommandWord(commandText);
    if (!IsFigureCommand(word)) return shape;
    shape.posText = GetParamValue(commandText, QStringLiteral("pos"));
    if (word == QLatin1String("circle")) {
        shape.figureType = QStringLiteral("circle1");
        shape.posText =
            CircleToCircle1(shape.posText, GetParamValue(commandText, QStringLiteral("r")));
    } else {
        shape.figureType = word;
    }
    return shape;
}

}  // namespace kel
