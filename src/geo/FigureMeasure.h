// Measures of one figure from its own values: the area and length of a `line`, `circle`,
// `rect` or `area`, the text the "Calculate" commands show, the two-position "circle1" form
// of a circle, and the 2DRMS scatter of a set of positions.
#pragma once

#include <QString>

#include "geo/PosList.h"

namespace kel {

struct AreaLength {
    double area_km2 = 0;
    double length_km = 0;
};

// Area and length of a figure from its `pos` value, its type and its own `r`, `width` and
// `height` values (size texts as ParseRadius reads them; plain numbers are metres).
//   "line":    length = sum of the distances between consecutive positions; no area.
//   "circle":  r from `r`; length 2 pi r, area pi r^2 (the positions are not used).
//   "circle1": centre and rim point; r = their distance. "circle2": two ends of a
//              diameter; r = half their distance. Fewer than two positions: 0.
//   "rect":    two or more positions: sides north-south (lat1,lon1)-(lat2,lon1) and
//              east-west (lat1,lon1)-(lat1,lon2) of the first two positions as opposite
//              corners; one position: sides `height` and `width`. A side of 0 takes the
//              other side's value. Length 2 (a + b), area a b. No positions: 0.
//   "area":    length = sum of the distances between consecutive listed positions (the
//              closing side is not included); area = CalcArea of the positions.
// Any other type, and a `pos` value shorter than 4 characters, measures 0. At most
// kMaxPositions positions are read.
AreaLength MeasureFigure(const QString& posText, const QString& figureType, const QString& r,
                         const QString& width, const QString& height);

// The measure as the "Calculate" commands show it: "line" the length text alone
// ("4.321 km"), "circle", "circle1", "circle2", "rect" and "area" the combined text
// ("12.345679 km^2  / 4.321 km"), anything else and a `pos` value shorter than 4 characters
// the empty text.
QString MeasureFigureText(const QString& posText, const QString& figureType, const QString& r,
                          const QString& width, const QString& height);

// The "circle1" `pos` of a circle: centre latitude, centre longitude, centre latitude plus
// the radius in degrees of latitude, centre longitude, each in "KEL" form. `rText` is the
// circle's `r` value. A `pos` value without a position is returned unchanged.
QString CircleToCircle1(const QString& posText, const QString& rText);

// 2DRMS of the positions of a position text whose fields are in `format` ("KEL", "D", "DM"
// or "DMS"; marks and arrows allowed as in a `pos` value): twice the root of the summed
// mean squares of the east-west and north-south offsets from the mean position, in metres.
// Result: "<2DRMS> m (σx^2=<σx²>,σy^2=<σy²>)", numbers with three decimals. Another format
// name, or a text without positions, gives the empty text.
QString Calc2DRMS(const QString& posText, const QString& format);
// The same for positions already in degrees, any number of them (a whole track log).
QString Calc2DRMS(const PosDegrees& positions);

}  // namespace kel
