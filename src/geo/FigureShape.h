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

// "circle1" position text of a circle: centre lat, centre lon, centre lat + radius, centre
// lon, each in "KEL" form; `rText` is the `r` value ("500M", "1.5KM", "200").
QString CircleRimPos(const QString& posText, const QString& rText);

}  // namespace kel
