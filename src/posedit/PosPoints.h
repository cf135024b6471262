// The position editor's points and the texts it builds from them: the point lines of its
// list ("0001(00000012)35/30/12.3,139/45/00.0&"), the position text handed back for each
// figure kind (a line's arrow in front, an area's ring closed, "&" joins kept), the arrow
// and kind cycles, and the search tolerance by map scale.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace kel {

// The blank coordinate shown before a point is read.
inline const QString kBlankCoord = QStringLiteral("000/00/00.0");

// One point: its number (given by the editor, shown first in its line), the id of its
// number label on the map (0 when none is drawn), and its latitude and longitude in the
// "KEL" form with their marks: "!" in front of the latitude, "&" after the longitude.
struct PosPoint {
    int number = 0;
    int labelId = 0;
    QString lat;
    QString lon;

    // Without the marks.
    QString PlainLat() const;
    QString PlainLon() const;
    bool Bang() const { return lat.startsWith(QLatin1Char('!')); }
    bool Amp() const { return lon.endsWith(QLatin1Char('&')); }
};

// The list line of a point: number as "0000", "(", label id as "00000000", ")", latitude
// (with "!"), ",", longitude (with "&").
QString PosListLine(const PosPoint& point);

// The points of a position text, in order, numbered from 1 without labels: fields split at
// "," and after "&" (kept with its longitude), "!" kept in front of its latitude, arrows and
// line feeds dropped, each coordinate written anew in the "KEL" form. A trailing latitude
// without a longitude is not a point.
std::vector<PosPoint> PointsOfPosText(const QString& posText);

// A value in degrees in the "KEL" form, rounded to a tenth of a second with the carry into
// minutes and degrees ("35/02/00.0", never "35/01/60.0"); the degrees are the floor of the
// value as the "KEL" form has them.
QString KelOfDegrees(double deg);

// Whether two points lie at the same position (their coordinates read as degrees).
bool SamePosition(const PosPoint& a, const PosPoint& b);

// The position text of the points for a figure kind:
//   point, circle              the first point
//   rect, circle1, circle2     the first two points
//   line                       `arrow`, then every point
//   area                       every point, and the first again when the last lies elsewhere
//   any other kind             every point
// Points are written latitude "," longitude with their marks and joined by ",", except
// after a point ending in "&".
QString BuildPosText(const QString& kind, const QString& arrow, const std::vector<PosPoint>& points);

// A line's or area's arrow split off the front of a position text: "< ", "> ", "<>", "><"
// as they stand, a single "<" or ">" as that character and a blank. `rest` is what follows.
QString SplitArrow(const QString& posText, QString* rest);

// The next arrow of the arrow button: "" -> "> " -> "< " -> "<>" -> ""; any other marker
// stays as it is.
QString NextArrow(const QString& arrow);
// The next kind of the kind button: point, line, rect, circle1, circle2, area, point; any
// other kind starts again at point.
QString NextKind(const QString& kind);

// The distance the search measures: the degrees' plane distance sqrt(dlat^2 + dlon^2)
// turned into km on a sphere of radius 6378 (no correction for the latitude).
double PlaneDistance_km(double lat1_deg, double lon1_deg, double lat2_deg, double lon2_deg);
// The search tolerance at a map scale denominator: twice the scale factor, in km.
double SearchTolerance_km(double layerScale);

}  // namespace kel
