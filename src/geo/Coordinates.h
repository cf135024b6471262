// Coordinate formats of one latitude or longitude and the position lists of the `pos`
// parameter. All arithmetic on positions is done in decimal degrees ("D").
//
// Formats: "D" decimal degrees; "DM" degrees with minutes as the fraction times 100 (read
// only); "DMS" degrees "." minutes (2 digits) seconds*100 (4 digits); "KEL" d/mm/ss.s;
// "PAO" d/mm/sssss (seconds * 1000).
#pragma once

#include <QString>
#include <QStringList>

namespace kel {

// Degrees, minutes and seconds of one coordinate; the value is deg + min/60 + sec/3600.
struct CoordParts {
    double deg = 0;
    double min = 0;
    double sec = 0;
};

CoordParts ReadCoordParts(const QString& text, const QString& fromFormat);
QString WriteCoordParts(const CoordParts& parts, const QString& toFormat);

// Converts one coordinate. Unknown fromFormat reads as 0; unknown toFormat gives "".
QString ConvertCoord(const QString& text, const QString& fromFormat, const QString& toFormat);

// The decimal-degree value of a "KEL" coordinate (the number ConvertCoord(text,"KEL","D")
// writes, read back).
double KelToDegrees(const QString& kelText);

}  // namespace kel
