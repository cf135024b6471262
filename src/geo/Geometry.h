// Measurement on the earth: distances between positions, areas of outlines, radius and size
// texts, the result texts of area/length measures, and the distance from a position to a
// segment. The earth is a sphere. Positions are decimal degrees (latitude first), lengths
// kilometres, areas square kilometres. Everything here is a pure computation.
#pragma once

#include <QString>
#include <QStringList>
#include <span>

namespace kel {

// The program's value of pi, used for every conversion between degrees and radians and for
// circle perimeters and areas (results printed to 7 digits depend on it).
constexpr double kPi = 3.1415926;
// Earth's diameter for distances (twice Bessel's equatorial radius 6377.397155 km).
constexpr double kDistanceFactor_km = 12754.79431;
// Radius that turns a circle's radius in km into degrees of latitude.
constexpr double kDegreeRadius_km = 6378.0;
constexpr double kMetresPerKm = 1000.0;

// atan(x / sqrt(1 - x^2)) in radians. The argument is clamped to [-1, 1] (rounding can push
// it just past 1); at +-1 the result is +-pi/2, so antipodal positions are half the
// circumference apart rather than a division by zero.
double ArcSin(double x);

// Great-circle distance in km; never negative, 0 for coincident positions.
double CalcDistance(double lat1_deg, double lon1_deg, double lat2_deg, double lon2_deg);
// The same for "D" texts (read by the leading-number rule; not a number reads as 0).
double CalcDistance(const QString& lat1, const QString& lon1, const QString& lat2,
                    const QString& lon2);

// Area in km^2 of the outline through the positions, by a trapezoid sum in local kilometres
// measured from a reference corner at the outline's largest latitude and longitude.
// The outline is closed: the pair (last, first) is included, which adds nothing when the
// last position repeats the first. Fewer than three positions enclose nothing: 0. Only the
// positions both lists hold are used.
double CalcArea(std::span<const double> lat_deg, std::span<const double> lon_deg);
double CalcArea(const QStringList& lat, const QStringList& lon);

// The larger (a when a > b, else b), the smaller (a when a < b, else b), and -1, 0 or 1.
double MaxOf(double a, double b);
double MinOf(double a, double b);
int SignOf(double x);

// A radius or size text in km: trimmed; "KM" at the end (any case) means kilometres, else
// "M" at the end (any case) means metres, else the whole text is metres. "1.5km" -> 1.5,
// "300m" -> 0.3, "300" -> 0.3, " 2 KM " -> 2.
double ParseRadius(const QString& text);

// The same reading, strict: true only when the text is a number with at most that suffix
// (blanks around it aside), so nothing of it is ignored; `r_km` receives the size in km.
// "300M", "1.5km", "2" are sizes; "", "abc", "3 miles", "1,5KM" are not.
bool TryParseRadius(const QString& text, double* r_km = nullptr);

// A circle radius in km as degrees of latitude: r / 6378.0 * 180 / pi.
double RadiusToDegrees(double r_km);

// Result texts: area "######0.000000" & " km^2" & "  / " & length "######0.000" & " km".
// FormatMeasure gives the combined text, the length text alone ("4.321 km") or the area text
// alone ("12.345679 km^2").
enum class MeasureText { AreaAndLength, Length, Area };
QString FormatAreaLength(double area_km2, double length_km);
QString FormatMeasure(double area_km2, double length_km, MeasureText shown);

// Distance from P to the segment A-B and the nearest point on it. P, A and B are taken into
// a local plane in km: north-south components are distances between the latitudes along the
// meridian 0, east-west components distances between the longitudes along the equator (no
// reduction for latitude), each negative when it runs to a smaller coordinate. When the
// angle at A (or B) is obtuse, the nearest point is that end and the distance is the
// great-circle distance to it; otherwise it is the perpendicular distance in the plane and
// the nearest point its foot. `fraction` is where the nearest point lies on A-B (0 at A,
// 1 at B). A segment whose ends coincide is its end A.
struct SegmentNearest {
    double distance_km = 0;
    double lat_deg = 0;
    double lon_deg = 0;
    double fraction = 0;
};
SegmentNearest SegmentDistance(double latP_deg, double lonP_deg, double latA_deg,
                               double lonA_deg, double latB_deg, double lonB_deg);

}  // namespace kel
