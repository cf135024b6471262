// Spatial selection over the command list: the figures inside, outside or containing a
// reference figure, and the figure nearest to or farthest from it. The questions, the
// Full Overlap switch and the menu items live in SpatialAnalysis.h.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "geo/FigureGeometry.h"

namespace kel {

class ListDocument;

// Operation names.
inline const QString kFindInterior = QStringLiteral("FindInterior");
inline const QString kFindExterior = QStringLiteral("FindExterior");
inline const QString kFindObject = QStringLiteral("FindObject");

bool IsSpatialOperation(const QString& operation);

// FigureInside: whether the position ("D" texts) lies inside the reference figure of type
// "point", "line" (never), "rect" (corner bounds, included), "circle" (radius from `rText`),
// "circle1" (centre and rim point), "circle2" (two ends of a diameter) or "area" (six-ray
// test over the outline closed by its first position). A rect of one corner, an area of
// fewer than three positions and a `pos` value without positions hold nothing.
bool FigureInside(const QString& latText, const QString& lonText, const QString& figureType,
                  const QString& posText, const QString& rText = QString());

// The lines a spatial operation selects against a reference figure, without marking them:
//   "FindObject":   figures whose region holds the reference's centre (CenterPos);
//   "FindInterior": figures inside the reference; "FindExterior": the other figures.
// A figure is tested by its nodes (a rect by its four corners, a circle by its centre) and,
// with Full Overlap off, by its sides (a rect's four, an area's closed outline): with Full
// Overlap on it is inside when every node is; off, when any node is or any side crosses the
// reference's outline. Figures whose box does not meet the reference's box are outside at
// once; a figure without positions is outside. A reference without a region (a point, a
// line, a rect of one corner, an area of fewer than three positions) has nothing inside.
// An unknown operation, a reference `pos` shorter than 3 characters and a reference without
// positions (unknown type included) select nothing.
// Each figure's `pos` is read once; progress is shown in the title every 500 lines.
std::vector<int> FindSpatial(ListDocument& editor, const QString& operation, const QString& posText,
                             const QString& figureType, const QString& rText, bool fullOverlap);

// ReturnGetObject: FindSpatial, then the selection flag of every result line is set (other
// lines keep theirs). Returns the result lines.
std::vector<int> ReturnGetObject(ListDocument& editor, const QString& operation,
                                 const QString& posText, const QString& figureType,
                                 bool fullOverlap, const QString& rText = QString());

// Distance in km between the figures of two command texts of the given command words, each
// read from its own `pos` and `r` (FigureDistance_km). No value unless both are figures with
// positions.
std::optional<double> FigureToFigureDistance(const QString& text1, const QString& word1,
                                             const QString& text2, const QString& word2);

struct ExtremeFound {
    int index = -1;          // the winning line, -1 when none
    double distance_km = 0;  // its distance from the reference
};

// FindExtreme for a reference command: mode 1 the nearest, mode 2 the farthest figure by
// FigureToFigureDistance. Candidates are the figure lines other than `referenceIndex`; when
// any lines are selected, only the selected ones. The first line wins a tie. The current
// line is not changed. A reference that is not a figure with positions, or another mode,
// finds nothing. Nearest skips figures whose box lies farther than the best distance found.
ExtremeFound FindExtreme(ListDocument& editor, const QString& referenceText, int referenceIndex,
                         int mode);

}  // namespace kel
