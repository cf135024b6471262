// The shape a figure command is shown as: its figure type and position text. A `circle`
// becomes "circle1": its centre and a point due north of it at the radius.
#pragma once

#include <QString>

namespace kel {

struct FigureShape {
    QString figureType;  // empty for commands that are not figures
    QString posText;
};

FigureShape FigureShapeOfCommand(const QString& commandText);

}  // namespace kel
