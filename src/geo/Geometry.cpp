#include "geo/Geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "common/Values.h"

namespace kel {

namespace {

double Radians(double deg) { return deg * kPi / 180; }

// A signed plane component between two coordinates: its length in km, negative when it runs
// to a smaller coordinate.
double NorthSouth_km(double fromLat_deg, double toLat_deg) {
    const double d = CalcDistance(fromLat_deg, 0, toLat_deg, 0);
    return toLat_deg < fromLat_deg ? -d : d;
}

double EastWest_km(double fromLon_deg, double toLon_deg) {
    const double d = CalcDistance(0, fromLon_deg, 0, toLon_deg);
    return toLon_deg < fromLon_deg ? -d : d;
}

}  // namespace

double ArcSin(double x) {
    if (std::isnan(x)) return x;
    if (x >= 1) return std::numbers::pi / 2;
    if (x <= -1) return -std::numbers::pi / 2;
    return std::atan(x / std::sqrt(1 - x * x));
}

double CalcDistance(double lat1_deg, double lon1_deg, double lat2_deg, double lon2_deg) {
    const double lat1 = Radians(lat1_deg), lat2 = Radians(lat2_deg);
    const double lon1 = Radians(lon1_deg), lon2 = Radians(lon2_deg);
    const double m = (lat1 + lat2) / 2;
    const double dPhi = (lat1 - lat2) / 2;
    const double dLambda = (lon1 - lon2) / 2;
    const double a = std::cos(m) * std::sin(dLambda);
    const double b = std::cos(dLambda) * std::sin(dPhi);
    return kDistanceFactor_km * ArcSin(std::sqrt(a * a + b * b));
}

double CalcDistance(const QString& lat1, const QString& lon1, const QString& lat2,
                    const QString& lon2) {
    return CalcDistance(Val(lat1), Val(lon1), Val(lat2), Val(lon2));
}

double CalcArea(std::span<const double> lat_deg, std::span<const double> lon_deg) {
    const size_t n = std::min(lat_deg.size(), lon_deg.size());
    if (n < 3) return 0;
    // The reference corner is the outline's own largest latitude and longitude. (Starting
    // it at 0 would put it on the equator or the meridian of Greenwich for outlines south
    // or west of them, where distances along great circles no longer stand for distances
    // along the parallels and the area comes out far too small.)
    double latRef = lat_deg[0], lonRef = lon_deg[0];
    for (size_t i = 1; i < n; ++i) {
        latRef = MaxOf(latRef, lat_deg[i]);
        lonRef = MaxOf(lonRef, lon_deg[i]);
    }
    // y: distance from the reference parallel along the position's meridian; x: distance
    // from the reference meridian along the position's parallel.
    auto y = [&](size_t i) { return CalcDistance(latRef, lon_deg[i], lat_deg[i], lon_deg[i]); };
    auto x = [&](size_t i) { return CalcDistance(lat_deg[i], lonRef, lat_deg[i], lon_deg[i]); };
    const double x0 = x(0), y0 = y(0);
    double xi = x0, yi = y0, sum = 0;
    for (size_t i = 1; i <= n; ++i) {
        const double xj = i < n ? x(i) : x0;
        const double yj = i < n ? y(i) : y0;
        sum += (std::abs(xi) + std::abs(xj)) * (yj - yi) / 2;
        xi = xj;
        yi = yj;
    }
    return std::abs(sum);
}

double CalcArea(const QStringList& lat, const QStringList& lon) {
    const qsizetype n = std::min(lat.size(), lon.size());
    std::vector<double> la(static_cast<size_t>(n)), lo(static_cast<size_t>(n));
    for (qsizetype i = 0; i < n; ++i) {
        la[size_t(i)] = Val(lat[i]);
        lo[size_t(i)] = Val(lon[i]);
    }
    return CalcArea(la, lo);
}

double MaxOf(double a, double b) { return a > b ? a : b; }
double MinOf(double a, double b) { return a < b ? a : b; }
int SignOf(double x) { return x > 0 ? 1 : (x < 0 ? -1 : 0); }

namespace {

// A size text without its unit suffix, and the factor to km that the suffix gives.
QStringView SizeNumberPart(const QString& trimmed, double* toKm) {
    const QStringView t(trimmed);
    *toKm = 1;
    if (t.endsWith(QLatin1String("KM"), Qt::CaseInsensitive)) return t.chopped(2);
    *toKm = 1 / kMetresPerKm;
    if (t.endsWith(QLatin1Char('M'), Qt::CaseInsensitive)) return t.chopped(1);
    return t;
}

}  // namespace

double ParseRadius(const QString& text) {
    const QString t = text.trimmed();
    double toKm = 1;
    const QStringView number = SizeNumberPart(t, &toKm);
    return toKm == 1 ? Val(number) : Val(number) / kMetresPerKm;
}

bool TryParseRadius(const QString& text, double* r_km) {
    const QString t = text.trimmed();
    double toKm = 1;
    double v = 0;
    if (!IsNumberText(SizeNumberPart(t, &toKm), &v)) return false;
    if (r_km) *r_km = toKm == 1 ? v : v / kMetresPerKm;
    return true;
}

double RadiusToDegrees(double r_km) { return r_km / kDegreeRadius_km * 180 / kPi; }

QString FormatMeasure(double area_km2, double length_km, MeasureText shown) {
    const QString length = FormatNumber(length_km, u"######0.000") + QLatin1String(" km");
    const QString area = FormatNumber(area_km2, u"######0.000000") + QLatin1String(" km^2");
    if (shown == MeasureText::Length) return length;
    if (shown == MeasureText::Area) return area;
    return area + QLatin1String("  / ") + length;
}

QString FormatAreaLength(double area_km2, double length_km) {
    return FormatMeasure(area_km2, length_km, MeasureText::AreaAndLength);
}

SegmentNearest SegmentDistance(double latP_deg, double lonP_deg, double latA_deg,
                               double lonA_deg, double latB_deg, double lonB_deg) {
    SegmentNearest at;
    const double apY = NorthSouth_km(latA_deg, latP_deg), apX = EastWest_km(lonA_deg, lonP_deg);
    const double abY = NorthSouth_km(latA_deg, latB_deg), abX = EastWest_km(lonA_deg, lonB_deg);
    const double bpY = NorthSouth_km(latB_deg, latP_deg), bpX = EastWest_km(lonB_deg, lonP_deg);
    const double abLength2 = abX * abX + abY * abY;
    const double dotA = apX * abX + apY * abY;     // A->P . A->B
    const double dotB = -(bpX * abX + bpY * abY);  // B->P . B->A
    if (abLength2 == 0 || dotA < 0) {
        at = {CalcDistance(latP_deg, lonP_deg, latA_deg, lonA_deg), latA_deg, lonA_deg, 0};
    } else if (dotB < 0) {
        at = {CalcDistance(latP_deg, lonP_deg, latB_deg, lonB_deg), latB_deg, lonB_deg, 1};
    } else {
        const double t = std::clamp(dotA / abLength2, 0.0, 1.0);
        at.distance_km = std::abs(abX * apY - abY * apX) / std::sqrt(abLength2);
        at.fraction = t;
        at.lat_deg = latA_deg + t * (latB_deg - latA_deg);
        at.lon_deg = lonA_deg + t * (lonB_deg - lonA_deg);
    }
    return at;
}

}  // namespace kel
