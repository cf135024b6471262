#include "geo/Datum.h"

#include <GeographicLib/Geocentric.hpp>

#include "script/Statement.h"

namespace kel {

namespace {

// The Tokyo datum's ellipsoid (Bessel 1841) and its shift to WGS84 in metres: the
// three-parameter transformation for Japan published by the Geospatial Information
// Authority of Japan (EPSG 15484, "Tokyo to WGS 84 (108)").
constexpr double kBesselA_m = 6377397.155;
constexpr double kBesselInvF = 299.1528128;
constexpr double kTokyoToWgs84_m[3] = {-146.414, 507.337, 680.507};

const GeographicLib::Geocentric& Bessel() {
    static const GeographicLib::Geocentric e(kBesselA_m, 1 / kBesselInvF);
    return e;
}

// Letters only, lower case: "WGS 84" and "wgs-84" compare equal.
QString Squeezed(const QString& name) {
    QString out;
    for (QChar c : name)
        if (c.isLetterOrNumber()) out += c.toLower();
    return out;
}

Datum OfSqueezed(const QString& squeezed, const QString& name) {
    if (squeezed.isEmpty() || squeezed == QLatin1String("tokyo")) return {DatumKind::kTokyo, name};
    if (squeezed == QLatin1String("wgs84") || squeezed == QLatin1String("jgd2000") ||
        squeezed == QLatin1String("jgd2011"))
        return {DatumKind::kWgs84, name};
    return {DatumKind::kUnknown, name};
}

}  // namespace

Datum DatumOfGeorefSystem(const QString& system) {
    const QString name = system.trimmed();
    return OfSqueezed(Squeezed(name), name.isEmpty() ? QStringLiteral("tokyo") : name);
}

Datum DatumOfWptText(const QString& text) {
    const QString name = text.section(QLatin1Char(','), 0, 0).trimmed();
    const QString s = Squeezed(name);
    if (s.startsWith(QLatin1String("tokyo"))) return {DatumKind::kTokyo, name};
    if (s == QLatin1String("wgs84")) return {DatumKind::kWgs84, name};
    return {DatumKind::kUnknown, name};
}

Datum DatumOfCommands(const QStringList& commandTexts) {
    for (const QString& text : commandTexts) {
        if (CommandWord(text) != QLatin1String("georef")) continue;
        Slots s;
        ParseStatement(text, s);
        return DatumOfGeorefSystem(s[1]);
    }
    return Datum::Tokyo();
}

Datum DatumOfScript(LineSource& kel) {
    Datum d = Datum::Tokyo();
    const qsizetype start = kel.LineNumber();
    while (!kel.AtEnd()) {
        const QString text = ReadStatement(kel);
        if (CommandWord(text) != QLatin1String("georef")) continue;
        Slots s;
        ParseStatement(text, s);
        d = DatumOfGeorefSystem(s[1]);
        break;
    }
    while (kel.LineNumber() > start) kel.UnreadLine();
    return d;
}

DatumShift::DatumShift(const Datum& from, const Datum& to) : from_(from.kind), to_(to.kind) {}

void DatumShift::Apply(double& lat_deg, double& lon_deg) const {
    if (IsIdentity()) return;
    const GeographicLib::Geocentric& wgs = GeographicLib::Geocentric::WGS84();
    const bool toWgs = from_ == DatumKind::kTokyo;
    const double sign = toWgs ? 1 : -1;
    double x, y, z, h;
    (toWgs ? Bessel() : wgs).Forward(lat_deg, lon_deg, 0, x, y, z);
    x += sign * kTokyoToWgs84_m[0];
    y += sign * kTokyoToWgs84_m[1];
    z += sign * kTokyoToWgs84_m[2];
    (toWgs ? wgs : Bessel()).Reverse(x, y, z, lat_deg, lon_deg, h);
}

}  // namespace kel
