// Geodetic datums of scripts and GPS files, and the shift of positions between them.
//
// A script is in the datum its `georef` command names (the Tokyo datum when it has none);
// GPX and GeoJSON files are WGS84; a Waypoint+ file names its datum on its "Datum" line.
// Positions are shifted through earth-centred coordinates (GeographicLib's Geocentric) with
// the three-parameter shift of each datum to WGS84.
#pragma once

#include <QString>
#include <QStringList>

#include "common/TextFile.h"

namespace kel {

enum class DatumKind {
    kTokyo,    // Tokyo datum, Bessel 1841
    kWgs84,    // WGS84 (also JGD2000 and JGD2011, which lie within a metre of it)
    kUnknown,  // a name this program does not know: positions are left as they are
};

struct Datum {
    DatumKind kind = DatumKind::kTokyo;
    QString name;  // the name as written in the file or script

    bool known() const { return kind != DatumKind::kUnknown; }
    static Datum Tokyo() { return {DatumKind::kTokyo, QStringLiteral("tokyo")}; }
    static Datum Wgs84() { return {DatumKind::kWgs84, QStringLiteral("wgs84")}; }
};

// The datum of a `georef` command's `system` value: empty or "tokyo" the Tokyo datum;
// "wgs84", "jgd2000", "jgd2011" WGS84 (letters in any case, blanks, "-" and "_" ignored);
// anything else unknown.
Datum DatumOfGeorefSystem(const QString& system);

// The datum of a Waypoint+ "Datum" line's text ("Tokyo mean ,Bessel 1841,739.845,..."):
// a name beginning "Tokyo" the Tokyo datum; "WGS 84", "WGS84", "WGS-84" WGS84; anything else
// unknown.
Datum DatumOfWptText(const QString& text);

// The datum of a script: the `system` of its first `georef` command, Tokyo when it has
// none. From its command texts, or read statement by statement from a file's lines (the
// source is read to the `georef` command or the end, and rewound).
Datum DatumOfCommands(const QStringList& commandTexts);
Datum DatumOfScript(LineSource& kel);

// Shifts positions from one datum to another. Between equal datums, and from or to an
// unknown datum, positions are left unchanged.
class DatumShift {
public:
    DatumShift() = default;
    DatumShift(const Datum& from, const Datum& to);

    bool IsIdentity() const { return from_ == to_ || from_ == DatumKind::kUnknown || to_ == DatumKind::kUnknown; }
    void Apply(double& lat_deg, double& lon_deg) const;

private:
    DatumKind from_ = DatumKind::kTokyo;
    DatumKind to_ = DatumKind::kTokyo;
};

}  // namespace kel
