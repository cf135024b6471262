#include "geo/NearestPos.h"

#include <cmath>

#include "list/ListDocument.h"
#include "common/Values.h"
#include "geo/Geometry.h"
#include "list/ListLine.h"
#include "script/Statement.h"

namespace kel {

namespace {

// The best distance a search starts from.
constexpr double kNoDistance_km = 999999;
// The search box is widened by this many search distances.
constexpr double kSearchMarginFactor = 5;

}  // namespace

FigurePoint NearestOnFigure(const GeoFigure& f, double lat_deg, double lon_deg, bool nodesOnly) {
    FigurePoint best;
    const int n = f.NodeCount();
    if (n == 0) return best;
    auto consider = [&best](double lat, double lon, double d, double nodePos, bool atNode) {
        if (best.distance_km < 0 || d < best.distance_km) best = {lat, lon, d, nodePos, atNode};
    };
    const int sides = nodesOnly ? 0 : f.SideCount();
    if (sides == 0) {
        for (int i = 0; i < n; ++i) {
            const LatLon p = f.Node(i);
            consider(p.lat_deg, p.lon_deg, CalcDistance(lat_deg, lon_deg, p.lat_deg, p.lon_deg),
                     i + 1, true);
        }
    } else {
        for (int k = 0; k < sides; ++k) {
            const LatLon a = f.Node(k), b = f.SideEnd(k);
            const SegmentNearest s =
                SegmentDistance(lat_deg, lon_deg, a.lat_deg, a.lon_deg, b.lat_deg, b.lon_deg);
            if (s.fraction <= 0)
                consider(a.lat_deg, a.lon_deg, s.distance_km, k + 1, true);
            else if (s.fraction >= 1)
                consider(b.lat_deg, b.lon_deg, s.distance_km, k + 2 <= n ? k + 2 : 1, true);
            else
                consider(s.lat_deg, s.lon_deg, s.distance_km, k + 1 + s.fraction, false);
        }
    }
    if (f.kind == FigureKind::kCircle && !nodesOnly && f.r_km > 0) {
        // The rim: along the line from the centre toward the position (in degrees), or due
        // north of the centre when the position is the centre.
        const LatLon c = f.Node(0);
        const double dc = CalcDistance(c.lat_deg, c.lon_deg, lat_deg, lon_deg);
        double rimLat = c.lat_deg + RadiusToDegrees(f.r_km), rimLon = c.lon_deg;
        if (dc > 0) {
            const double t = f.r_km / dc;
            rimLat = c.lat_deg + (lat_deg - c.lat_deg) * t;
            rimLon = c.lon_deg + (lon_deg - c.lon_deg) * t;
        }
        consider(rimLat, rimLon, std::abs(dc - f.r_km), 1, false);
    }
    return best;
}

NearestPos GetNearestPos(ListDocument& editor, const NearestPosQuery& q) {
    NearestPos found;
    double best = kNoDistance_km;
    const double margin_deg = RadiusToDegrees(kSearchMarginFactor * std::max(0.0, q.searchDistance_km));
    GeoBox at;
    at.Add(q.lat_deg, q.lon_deg);
    const KelList& list = editor.List();
    const int count = list.Count();
    for (int i = 0; i < count; ++i) {
        editor.RollProgress(i);
        if (i == q.excludeIndex || !IsFigureCommand(ListLineName(list.Line(i)))) continue;
        const QString text = editor.CommandTextAt(i);
        const GeoFigure f = GeoFigureOfCommand(text);
        if (f.NodeCount() == 0) continue;
        const GeoBox box = f.box.Widened(margin_deg, margin_deg);
        if (!box.Contains(q.lat_deg, q.lon_deg)) continue;
        // A figure whose box lies farther than the best distance cannot beat it.
        if (BoxDistanceLowerBound_km(at, f.box) * (1 - 1e-9) > best) continue;
        const FigurePoint p = NearestOnFigure(f, q.lat_deg, q.lon_deg, q.nodesOnly);
        if (p.distance_km < 0 || !(p.distance_km < best)) continue;
        if (q.tolerance_km > 0 && !(p.distance_km < q.tolerance_km)) continue;
        best = p.distance_km;
        found.index = i;
        found.lat_deg = p.lat_deg;
        found.lon_deg = p.lon_deg;
        found.distance_km = p.distance_km;
        found.nodePosition = p.nodePosition;
        found.atNode = p.atNode;
        found.figureType = CommandWord(text);
        found.posText = GetParamValue(text, QStringLiteral("pos"));
    }
    editor.CaptionRoll(QStringLiteral("Off"));
    return found;
}

QString NearestPosText(const NearestPos& f) {
    if (!f.found()) return QString();
    return QLatin1Char('[') + QString::number(f.index) + QLatin1Char(']') + f.figureType +
           QLatin1Char('(') + NumText(f.nodePosition) + QLatin1Char(')') + NumText(f.lat_deg) +
           QLatin1Char(',') + NumText(f.lon_deg);
}

}  // namespace kel
