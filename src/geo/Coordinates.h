// Coordinate formats of one latitude or longitude and the position lists of the `pos`
// parameter. All arithmetic on positions is done in decimal degrees ("D").
//
// Formats: "D" decimal degrees; "DM" degrees with minutes as the fraction times 100 (read
// only); "DMS" degrees "." minutes (2 digits) seconds*100 (4 digits); "KEL" d/mm/ss.s;
// "PAO" d/mm/sssss (seconds * 1000).
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace kel {

// Degrees, minutes and seconds of one coordinate; the value is deg + min/60 + sec/3600.
struct CoordParts {
    double deg = 0;
    double min = 0;
    double sec = 0;
};

// A format name read once ("D", "DM", "DMS", "KEL", "PAO", compared exactly); any other
// name is kUnknown.
enum class CoordFormat { kD, kDM, kDMS, kKEL, kPAO, kUnknown };
CoordFormat CoordFormatOf(QStringView name);

// Splits a coordinate text into its parts. "D" takes the floor of the value as degrees, so
// a negative value has a negative whole degree and positive minutes and seconds (-35.5 ->
// -36, 30, 0). "DM" and "DMS" split the decimal digits of the magnitude (a negative text
// gives all parts negative: "-35.3" as "DMS" is -35, -30, 0). "KEL" and "PAO" read up to
// three "/"-separated numbers; a fourth and further part is ignored. Unknown formats give
// all parts 0.
CoordParts ReadCoordParts(const QString& text, const QString& fromFormat);
CoordParts ReadCoordParts(QStringView text, CoordFormat fromFormat);

// Writes parts in a format; "DM" and unknown formats give "". Seconds that round up to 60
// are written as 60 (the minute is not carried). Parts that the layout cannot hold (a
// degree or minute with a fraction, a negative minute or second, for "DMS" more than two
// minute or four second digits) are first re-split from their value as "D" does, so the
// written text always reads back to the same value. "DMS" writes a negative value as "-"
// and the digits of its magnitude.
QString WriteCoordParts(const CoordParts& parts, const QString& toFormat);
QString WriteCoordParts(const CoordParts& parts, CoordFormat toFormat);

// Whether a coordinate text is well formed in `fromFormat`, so that reading it loses
// nothing: "D", "DM" and "DMS" one number; "KEL" and "PAO" one to three "/"-separated
// numbers (an empty part, a fourth part or any other text is not). Blanks around the text
// and its parts are allowed. Unknown formats: false.
bool IsCoordText(QStringView text, CoordFormat fromFormat);

// The value of the parts in degrees: deg + min/60 + sec/3600.
double PartsToDegrees(const CoordParts& parts);

// Converts one coordinate. Unknown fromFormat reads as 0; unknown toFormat gives "".
QString ConvertCoord(const QString& text, const QString& fromFormat, const QString& toFormat);

// The decimal-degree value of a coordinate: exactly the number that
// ConvertCoord(text, from, "D") writes, read back. Positions computed from these values
// agree with those computed from the "D" texts.
double CoordToDegrees(QStringView text, CoordFormat fromFormat);

// The decimal-degree value of a "KEL" coordinate (the number ConvertCoord(text,"KEL","D")
// writes, read back).
double KelToDegrees(const QString& kelText);

}  // namespace kel
