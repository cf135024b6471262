// CalculateAreaLength and Calculate at the editor's level: the area and length of a figure
// and the text the "Calculate" commands show. A circle's `r` and a one-corner rect's `width`
// and `height` come either from the figure's own command text or, for the report of the
// loaded command and the position editor, from the parameter editor's value boxes (the
// loaded command's values as edited, applied or not).
#pragma once

#include <QString>

#include "geo/FigureMeasure.h"

namespace kel {

class ListDocument;

// From a command text alone: its word, `pos`, `r`, `width` and `height`.
AreaLength CalculateAreaLength(const QString& commandText);
// For a `pos` value and figure type given apart from the command they belong to (the
// formula functions Areas and Length); the sizes come from `commandText`, the command the
// figure belongs to, never from another command's values.
AreaLength CalculateAreaLength(const QString& posText, const QString& figureType,
                               const QString& commandText);
QString Calculate(const QString& posText, const QString& figureType, const QString& commandText);

// The sizes from the parameter editor's value boxes named `r`, `width` and `height`. They are
// used only when the loaded command is of the figure's type (the figure is the loaded
// command, as edited); a figure of another type is measured without sizes, so a circle or a
// one-corner rect of another command measures 0 rather than the loaded command's sizes.
AreaLength CalculateAreaLengthOfEditor(const ListDocument& editor, const QString& posText,
                                       const QString& figureType);
QString CalculateOfEditor(const ListDocument& editor, const QString& posText, const QString& figureType);

// "Current Object": Calculate of the `pos` value box and the command word of the loaded
// command, with its value boxes. Empty when nothing is loaded.
QString CalculateCurrentObject(const ListDocument& editor);

}  // namespace kel
