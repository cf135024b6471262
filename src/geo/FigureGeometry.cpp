#include "geo/FigureGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "geo/Geometry.h"
#include "list/ListLine.h"
#include "script/Statement.h"

namespace kel {

namespace {

// Distances are measured on a sphere whose radian conversion uses kPi; angles in that
// measure are degrees * kPi / 180.
constexpr double kDistanceRadius_km = kDistanceFactor_km / 2;
// Along a meridian the distance is proportional to the latitude difference.
constexpr double kKmPerDegreeOfLatitude = kDistanceRadius_km * kPi / 180;
// Widening of a circle's box beyond its computed extent, against rounding.
constexpr double kBoxSlack = 1e-9;

double ToRadians(double deg) { return deg * kPi / 180; }
double ToDegrees(double rad) { return rad * 180 / kPi; }

// The box of a circle: latitudes centre +- the radius, longitudes centre +- the widest
// longitude offset of the small circle (every longitude when it reaches a pole).
GeoBox CircleBox(double lat_deg, double lon_deg, double r_km) {
    const double rho = r_km / kDistanceRadius_km;
    const double dLat_deg = ToDegrees(rho) * (1 + kBoxSlack) + kBoxSlack;
    double dLon_deg = 360;
    const double c = ToRadians(lat_deg);
    if (std::abs(c) + rho < kPi / 2) {
        const double s = std::sin(rho) / std::cos(c);
        if (s < 1) dLon_deg = ToDegrees(std::asin(s)) * (1 + kBoxSlack) + kBoxSlack;
    }
    GeoBox box;
    box.Add(lat_deg - dLat_deg, lon_deg - dLon_deg);
    box.Add(lat_deg + dLat_deg, lon_deg + dLon_deg);
    return box;
}

// Distance from P to the nearest side or, for a figure without sides, its nearest node; the
// circle radius is not taken off. Sides whose latitudes lie farther than the best distance
// so far are skipped.
double OutlineDistance_km(const GeoFigure& f, double lat_deg, double lon_deg) {
    double best = std::numeric_limits<double>::infinity();
    const int sides = f.SideCount();
    if (sides == 0) {
        for (int i = 0; i < f.NodeCount(); ++i)
            best = std::min(best, CalcDistance(lat_deg, lon_deg, f.lat_deg[size_t(i)],
                                               f.lon_deg[size_t(i)]));
        return best;
    }
    for (int k = 0; k < sides; ++k) {
        const LatLon a = f.Node(k), b = f.SideEnd(k);
        // A side whose latitudes all lie farther than the best distance cannot beat it.
        const double gap_deg = std::max({0.0, std::min(a.lat_deg, b.lat_deg) - lat_deg,
                                         lat_deg - std::max(a.lat_deg, b.lat_deg)});
        if (gap_deg * kKmPerDegreeOfLatitude * (1 - 1e-9) > best) continue;
        best = std::min(best, SegmentDistance(lat_deg, lon_deg, a.lat_deg, a.lon_deg, b.lat_deg,
                                              b.lon_deg)
                                  .distance_km);
    }
    return best;
}

bool AnyNodeInside(const GeoFigure& nodes, const GeoFigure& region) {
    if (!region.HasRegion() || !nodes.nodeBox.Overlaps(region.box)) return false;
    for (int i = 0; i < nodes.NodeCount(); ++i)
        if (FigureContains(region, nodes.lat_deg[size_t(i)], nodes.lon_deg[size_t(i)]))
            return true;
    return false;
}

bool AnySidesMeet(const GeoFigure& a, const GeoFigure& b) {
    if (a.kind == FigureKind::kCircle) {
        // A side of b within the circle's radius of its centre.
        for (int k = 0; k < b.SideCount(); ++k)
            if (SideMeetsOutline(a, b.Node(k), b.SideEnd(k))) return true;
        return false;
    }
    if (b.kind == FigureKind::kCircle) return AnySidesMeet(b, a);
    for (int i = 0; i < a.SideCount(); ++i)
        for (int k = 0; k < b.SideCount(); ++k)
            if (SidesCross(a.Node(i), a.SideEnd(i), b.Node(k), b.SideEnd(k))) return true;
    return false;
}

}  // namespace

void GeoBox::Add(double lat_deg, double lon_deg) {
    minLat_deg = std::min(minLat_deg, lat_deg);
    maxLat_deg = std::max(maxLat_deg, lat_deg);
    minLon_deg = std::min(minLon_deg, lon_deg);
    maxLon_deg = std::max(maxLon_deg, lon_deg);
}

bool GeoBox::Contains(double lat_deg, double lon_deg) const {
    return lat_deg >= minLat_deg && lat_deg <= maxLat_deg && lon_deg >= minLon_deg &&
           lon_deg <= maxLon_deg;
}

bool GeoBox::Overlaps(const GeoBox& o) const {
    if (IsEmpty() || o.IsEmpty()) return false;
    return minLat_deg <= o.maxLat_deg && o.minLat_deg <= maxLat_deg &&
           minLon_deg <= o.maxLon_deg && o.minLon_deg <= maxLon_deg;
}

GeoBox GeoBox::Widened(double lat_deg, double lon_deg) const {
    if (IsEmpty()) return *this;
    GeoBox b = *this;
    b.minLat_deg -= lat_deg;
    b.maxLat_deg += lat_deg;
    b.minLon_deg -= lon_deg;
    b.maxLon_deg += lon_deg;
    return b;
}

int GeoFigure::SideCount() const {
    const int n = NodeCount();
    if (n < 2 || kind == FigureKind::kCircle || kind == FigureKind::kPoint) return 0;
    if (kind == FigureKind::kRect || (kind == FigureKind::kArea && n >= 3)) return n;
    return n - 1;
}

bool GeoFigure::HasRegion() const {
    switch (kind) {
    case FigureKind::kCircle: return NodeCount() == 1;
    case FigureKind::kRect: return NodeCount() == 4;
    case FigureKind::kArea: return NodeCount() >= 3;
    default: return false;
    }
}

GeoFigure MakeGeoFigure(const QString& figureType, const PosDegrees& pos, double r_km) {
    GeoFigure f;
    const int n = pos.count();
    if (n == 0) return f;
    f.truncated = pos.truncated;
    auto addNode = [&f](double lat, double lon) {
        f.lat_deg.push_back(lat);
        f.lon_deg.push_back(lon);
        f.nodeBox.Add(lat, lon);
    };
    const double lat0 = pos.lat[0], lon0 = pos.lon[0];
    if (figureType == QLatin1String("point")) {
        f.kind = FigureKind::kPoint;
        addNode(lat0, lon0);
    } else if (figureType == QLatin1String("line") || figureType == QLatin1String("area")) {
        f.kind = figureType == QLatin1String("line") ? FigureKind::kLine : FigureKind::kArea;
        f.lat_deg.reserve(size_t(n));
        f.lon_deg.reserve(size_t(n));
        for (size_t i = 0; i < size_t(n); ++i) addNode(pos.lat[i], pos.lon[i]);
        if (f.kind == FigureKind::kArea && n >= 3) f.edges = OutlineEdges(f.lat_deg, f.lon_deg, true);
    } else if (figureType == QLatin1String("rect")) {
        f.kind = FigureKind::kRect;
        addNode(lat0, lon0);
        if (n >= 2) {
            const double lat1 = pos.lat[1], lon1 = pos.lon[1];
            addNode(lat0, lon1);
            addNode(lat1, lon1);
            addNode(lat1, lon0);
        }
    } else if (figureType == QLatin1String("circle") || figureType == QLatin1String("circle1") ||
               figureType == QLatin1String("circle2")) {
        f.kind = FigureKind::kCircle;
        double cLat = lat0, cLon = lon0, r = r_km;
        if (figureType != QLatin1String("circle")) {
            r = 0;
            if (n >= 2) {
                const double d = CalcDistance(lat0, lon0, pos.lat[1], pos.lon[1]);
                if (figureType == QLatin1String("circle1")) {
                    r = d;
                } else {
                    cLat = (lat0 + pos.lat[1]) / 2;
                    cLon = (lon0 + pos.lon[1]) / 2;
                    r = d / 2;
                }
            }
        }
        // A negative or unreadable radius encloses nothing beyond the centre.
        f.r_km = std::isfinite(r) && r > 0 ? r : 0;
        addNode(cLat, cLon);
    } else {
        return f;
    }
    f.box = f.kind == FigureKind::kCircle ? CircleBox(f.lat_deg[0], f.lon_deg[0], f.r_km)
                                          : f.nodeBox;
    return f;
}

GeoFigure GeoFigureOfShape(const QString& figureType, QStringView posText, const QString& rText) {
    const double r = figureType == QLatin1String("circle") ? ParseRadius(rText) : 0;
    return MakeGeoFigure(figureType, ParsePosDegrees(posText), r);
}

GeoFigure GeoFigureOfCommand(const QString& commandText) {
    const QString word = CommandWord(commandText);
    if (!IsFigureCommand(word)) return {};
    const QString r = word == QLatin1String("circle")
                          ? GetParamValue(commandText, QStringLiteral("r"))
                          : QString();
    return GeoFigureOfShape(word, GetParamValue(commandText, QStringLiteral("pos")), r);
}

bool FigureContains(const GeoFigure& f, double lat_deg, double lon_deg) {
    if (!f.HasRegion() || !f.box.Contains(lat_deg, lon_deg)) return false;
    switch (f.kind) {
    case FigureKind::kRect: return true;  // the box of the corners, bounds included
    case FigureKind::kCircle:
        return CalcDistance(f.lat_deg[0], f.lon_deg[0], lat_deg, lon_deg) <= f.r_km;
    case FigureKind::kArea: return PntLoc(f.edges, lat_deg, lon_deg);
    default: return false;
    }
}

bool SidesCross(LatLon p1, LatLon p2, LatLon q1, LatLon q2) {
    // P1 + t (P2 - P1) = Q1 + u (Q2 - Q1): t = tn / d, u = un / d.
    const LatLon p{p2.lat_deg - p1.lat_deg, p2.lon_deg - p1.lon_deg};
    const LatLon q{q2.lat_deg - q1.lat_deg, q2.lon_deg - q1.lon_deg};
    const LatLon w{q1.lat_deg - p1.lat_deg, q1.lon_deg - p1.lon_deg};
    const double d = p.lat_deg * q.lon_deg - p.lon_deg * q.lat_deg;
    const double tn = w.lat_deg * q.lon_deg - w.lon_deg * q.lat_deg;
    const double un = w.lat_deg * p.lon_deg - w.lon_deg * p.lat_deg;
    const int s = SignOf(d);
    if (s == 0) return false;
    // 0 < t < 1 and 0 < u < 1 without dividing: each numerator and d minus it share d's sign.
    return SignOf(tn) == s && SignOf(d - tn) == s && SignOf(un) == s && SignOf(d - un) == s;
}

bool SideMeetsOutline(const GeoFigure& f, LatLon a, LatLon b) {
    if (!f.HasRegion()) return false;
    if (f.kind == FigureKind::kCircle) {
        return SegmentDistance(f.lat_deg[0], f.lon_deg[0], a.lat_deg, a.lon_deg, b.lat_deg,
                               b.lon_deg)
                   .distance_km <= f.r_km;
    }
    GeoBox sideBox;
    sideBox.Add(a.lat_deg, a.lon_deg);
    sideBox.Add(b.lat_deg, b.lon_deg);
    if (!sideBox.Overlaps(f.box)) return false;
    for (int k = 0; k < f.SideCount(); ++k)
        if (SidesCross(a, b, f.Node(k), f.SideEnd(k))) return true;
    return false;
}

double PositionToFigure_km(const GeoFigure& f, double lat_deg, double lon_deg) {
    if (f.NodeCount() == 0) return -1;
    if (FigureContains(f, lat_deg, lon_deg)) return 0;
    return std::max(0.0, OutlineDistance_km(f, lat_deg, lon_deg) - f.r_km);
}

double FigureDistance_km(const GeoFigure& a, const GeoFigure& b) {
    if (a.NodeCount() == 0 || b.NodeCount() == 0) return -1;
    if (AnyNodeInside(a, b) || AnyNodeInside(b, a) || AnySidesMeet(a, b)) return 0;
    double best = std::numeric_limits<double>::infinity();
    auto fromNodes = [&best](const GeoFigure& from, const GeoFigure& to) {
        for (int i = 0; i < from.NodeCount(); ++i) {
            const double d = OutlineDistance_km(to, from.lat_deg[size_t(i)],
                                                from.lon_deg[size_t(i)]) -
                             to.r_km - from.r_km;
            best = std::min(best, d);
        }
    };
    fromNodes(a, b);
    fromNodes(b, a);
    return std::max(0.0, best);
}

double BoxDistanceLowerBound_km(const GeoBox& a, const GeoBox& b) {
    if (a.IsEmpty() || b.IsEmpty()) return 0;
    const double latGap = std::max({0.0, b.minLat_deg - a.maxLat_deg, a.minLat_deg - b.maxLat_deg});
    const double lonGap = std::max({0.0, b.minLon_deg - a.maxLon_deg, a.minLon_deg - b.maxLon_deg});
    // Along a meridian the distance grows with the latitude difference alone.
    double bound = latGap > 0 ? CalcDistance(0, 0, latGap, 0) : 0;
    // Two positions whose longitudes differ by at least lonGap (up to half the globe) are at
    // least as far apart as two positions of that difference on the parallel of the largest
    // absolute latitude either box reaches.
    // (Not when some pair of longitudes is more than 360 - lonGap apart: going round the
    // other way, such a pair is nearer than lonGap.)
    const double widest = std::max(b.maxLon_deg - a.minLon_deg, a.maxLon_deg - b.minLon_deg);
    if (lonGap > 0 && lonGap <= 180 && widest <= 360 - lonGap) {
        const double maxAbsLat = std::min(
            90.0, std::max({std::abs(a.minLat_deg), std::abs(a.maxLat_deg),
                            std::abs(b.minLat_deg), std::abs(b.maxLat_deg)}));
        bound = std::max(bound, CalcDistance(maxAbsLat, 0, maxAbsLat, lonGap));
    }
    return bound;
}

}  // namespace kel
