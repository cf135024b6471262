#include "geo/FigureMeasure.h"

#include <cmath>

#include "common/Values.h"
#include "geo/Coordinates.h"
#include "geo/Geometry.h"
#include "geo/PosList.h"

namespace kel {

namespace {

// A `pos` value shorter than this is not measured.
constexpr qsizetype kMinMeasuredPosLength = 4;

double PathLength_km(const PosDegrees& p) {
    double sum = 0;
    for (size_t i = 1; i < size_t(p.count()); ++i)
        sum += CalcDistance(p.lat[i - 1], p.lon[i - 1], p.lat[i], p.lon[i]);
    return sum;
}

AreaLength CircleOf(double r_km) { return {kPi * r_km * r_km, 2 * kPi * r_km}; }

AreaLength RectOf(double a_km, double b_km) {
    if (a_km == 0) a_km = b_km;
    if (b_km == 0) b_km = a_km;
    return {a_km * b_km, (a_km + b_km) * 2};
}

bool IsAreaType(const QString& t) {
    return t == QLatin1String("circle") || t == QLatin1String("circle1") ||
           t == QLatin1String("circle2") || t == QLatin1String("rect") ||
           t == QLatin1String("area");
}

}  // namespace

AreaLength MeasureFigure(const QString& posText, const QString& figureType, const QString& r,
                         const QString& width, const QString& height) {
    if (posText.size() < kMinMeasuredPosLength) return {};
    if (figureType == QLatin1String("circle")) return CircleOf(ParseRadius(r));

    const bool known = figureType == QLatin1String("line") || IsAreaType(figureType);
    if (!known) return {};
    const PosDegrees p = ParsePosDegrees(posText);
    const int n = p.count();

    if (figureType == QLatin1String("line")) return {0, PathLength_km(p)};
    if (figureType == QLatin1String("area")) return {CalcArea(p.lat, p.lon), PathLength_km(p)};
    if (figureType == QLatin1String("rect")) {
        if (n == 0) return {};
        if (n == 1) return RectOf(ParseRadius(height), ParseRadius(width));
        return RectOf(CalcDistance(p.lat[0], p.lon[0], p.lat[1], p.lon[0]),
                      CalcDistance(p.lat[0], p.lon[0], p.lat[0], p.lon[1]));
    }
    // circle1, circle2
    if (n < 2) return {};
    const double d = CalcDistance(p.lat[0], p.lon[0], p.lat[1], p.lon[1]);
    return CircleOf(figureType == QLatin1String("circle1") ? d : d / 2);
}

QString MeasureFigureText(const QString& posText, const QString& figureType, const QString& r,
                          const QString& width, const QString& height) {
    if (posText.size() < kMinMeasuredPosLength) return QString();
    const bool line = figureType == QLatin1String("line");
    if (!line && !IsAreaType(figureType)) return QString();
    const AreaLength m = MeasureFigure(posText, figureType, r, width, height);
    return FormatMeasure(m.area_km2, m.length_km,
                         line ? MeasureText::Length : MeasureText::AreaAndLength);
}

QString CircleToCircle1(const QString& posText, const QString& rText) {
    const PosTexts centre = ParsePosList(posText);
    if (centre.count() == 0) return posText;
    const QString lat = ConvertCoord(centre.lat[0], QStringLiteral("D"), QStringLiteral("KEL"));
    const QString lon = ConvertCoord(centre.lon[0], QStringLiteral("D"), QStringLiteral("KEL"));
    const double rim_deg = Val(centre.lat[0]) + RadiusToDegrees(ParseRadius(rText));
    const QString rim = ConvertCoord(NumText(rim_deg), QStringLiteral("D"), QStringLiteral("KEL"));
    return lat + QLatin1Char(',') + lon + QLatin1Char(',') + rim + QLatin1Char(',') + lon;
}

QString Calc2DRMS(const QString& posText, const QString& format) {
    const CoordFormat f = CoordFormatOf(format);
    if (f != CoordFormat::kKEL && f != CoordFormat::kD && f != CoordFormat::kDM &&
        f != CoordFormat::kDMS)
        return QString();
    return Calc2DRMS(ParsePosDegrees(posText, f));
}

QString Calc2DRMS(const PosDegrees& p) {
    const int n = p.count();
    if (n == 0) return QString();

    double meanLat = 0, meanLon = 0;
    for (int i = 0; i < n; ++i) {
        meanLat += p.lat[size_t(i)];
        meanLon += p.lon[size_t(i)];
    }
    meanLat /= n;
    meanLon /= n;
    double sumX2 = 0, sumY2 = 0;
    for (int i = 0; i < n; ++i) {
        const double y_m = CalcDistance(meanLat, meanLon, p.lat[size_t(i)], meanLon) * kMetresPerKm;
        const double x_m = CalcDistance(meanLat, meanLon, meanLat, p.lon[size_t(i)]) * kMetresPerKm;
        sumX2 += x_m * x_m;
        sumY2 += y_m * y_m;
    }
    const double sigmaX2 = sumX2 / n, sigmaY2 = sumY2 / n;
    const double drms2_m = 2 * std::sqrt(sigmaX2 + sigmaY2);
    return FormatNumber(drms2_m, u"0.000") + QStringLiteral(" m (σx^2=") +
           FormatNumber(sigmaX2, u"0.000") + QStringLiteral(",σy^2=") +
           FormatNumber(sigmaY2, u"0.000") + QLatin1Char(')');
}

}  // namespace kel
