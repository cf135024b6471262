// Records of the Waypoint+ text file: one record per line, fields separated by ",", the
// first field naming the record type.
//
//   Datum,<rest of the line>
//   WP,<format>,<name>, <lat>, <lon>,<date>,<time>,<comment>      (waypoint)
//   RN,<route number>,<route name>                                 (route header)
//   RP,<format>,<name>, <lat>, <lon>,<date>,<time>,<comment>      (route point)
//   TP,<format>, <lat>, <lon>,<date>,<time>,<new-track flag>      (track point)
//
// Fields follow comma-separated input: blanks around a field are dropped and a field may be
// quoted (a doubled quote inside stands for one quote). The last field of a record takes
// the rest of the line, so a comment holding commas is read whole.
#pragma once

#include <QString>
#include <array>

#include "common/TextFile.h"

namespace kel {

// The datum line every written file begins with.
inline const QString kWptDatumText =
    QStringLiteral("Tokyo mean ,Bessel 1841,739.845,0.10037483,-128,481,664");

namespace wpt {
inline const QString kDatum = QStringLiteral("Datum");
inline const QString kWaypoint = QStringLiteral("WP");
inline const QString kRouteHeader = QStringLiteral("RN");
inline const QString kRoutePoint = QStringLiteral("RP");
inline const QString kTrackPoint = QStringLiteral("TP");
inline const QString kEof = QStringLiteral("eof");
}  // namespace wpt

// One record. `type` is one of the wpt:: names above, or empty for a line that is not a
// record this program reads: then field(1) says why ("command [X] is not suppoted" for an
// unknown type; a description of the fault for a malformed line, with `malformed` set).
struct WptRecord {
    QString type;
    std::array<QString, 7> fields;  // fields 1..7 after the type
    bool malformed = false;
    qsizetype line = 0;             // 1-based line number in the file (0 for "eof")

    QString& field(int n) { return fields[size_t(n - 1)]; }
    const QString& field(int n) const { return fields[size_t(n - 1)]; }

    // Field meanings by type.
    const QString& format() const { return fields[0]; }
    const QString& name() const { return fields[1]; }  // WP, RP
    const QString& lat() const { return type == wpt::kTrackPoint ? fields[1] : fields[2]; }
    const QString& lon() const { return type == wpt::kTrackPoint ? fields[2] : fields[3]; }
    const QString& date() const { return type == wpt::kTrackPoint ? fields[3] : fields[4]; }
    const QString& time() const { return type == wpt::kTrackPoint ? fields[4] : fields[5]; }
    const QString& comment() const { return fields[6]; }                 // WP, RP
    const QString& newTrackFlag() const { return fields[5]; }            // TP
    bool StartsTrack() const;                                            // TP flag is 1
};

// Splits a line into fields by the comma-separated input rules. `maxFields` > 0 makes the
// last field take the rest of the line.
QStringList SplitWptFields(const QString& line, int maxFields = 0);

// Reads the next record. Blank lines and lines beginning with "#" (notes such as the 2DRMS
// line the track-log utility appends) are passed over. Returns type "eof" at the end.
// A record whose type is known but whose fields cannot be used (too few fields, a latitude
// or longitude that is not a coordinate in the record's format, an unknown format) comes
// back malformed rather than as a position 0,0. Type names are matched without regard to
// case and returned in their own spelling.
WptRecord ReadWptRecord(LineSource& file);

// The text of one record line: "," between fields, ", " before the latitude and the
// longitude of WP, RP and TP. A field holding "," or a double quote, or beginning with a
// blank, is written quoted (a comment also when it ends with a blank; names keep their
// padding unquoted). A line break inside a field, which a line-based file cannot hold,
// is written as a blank. For an empty type the line is field 1 as it stands.
QString FormatWptRecord(const QString& type, const std::array<QString, 7>& fields);
QString FormatWptRecord(const WptRecord& record);

// Whether `text` is one coordinate in `format` ("D", "DM", "DMS", "KEL" or "PAO") that lies
// within `limitDeg` degrees of 0. Coordinates of other formats are never valid.
bool IsWptCoordinate(const QString& text, const QString& format, double limitDeg);

// The kind of a dropped file: "KEL" for a name ending in KEL; "WPT" for a name ending in TXT
// whose first field is DATUM, TP, RN, RP or WP (in any case); "GPX" for a name ending in
// .gpx and "GEOJSON" for one ending in .geojson or .json; otherwise empty.
QString DetectDropKind(const QString& fileName);

}  // namespace kel
