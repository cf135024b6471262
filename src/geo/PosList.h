// The `pos` value: a list of latitude/longitude fields in "KEL" form, separated by ",",
// with the marks "&" (after a longitude, in place of the ","), "!" (before a latitude) and
// the arrow prefixes of a line ("< ", "> ", "<>", "><", "<", ">").
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <vector>

#include "geo/Coordinates.h"

namespace kel {

// The most fields a `pos` value holds (2560 positions).
constexpr int kMaxPosFields = 5120;
constexpr int kMaxPositions = kMaxPosFields / 2;

// Positions of a `pos` value as "D" texts, index 0-based (position 1 of the format is
// element 0). `truncated` is set when the value held more fields than kMaxPosFields; the
// excess is ignored.
struct PosTexts {
    QStringList lat;
    QStringList lon;
    bool truncated = false;
    int count() const { return int(lat.size()); }
};

// ParsePosList: texts of 3 characters or fewer hold no positions; "<" ">" and line feeds
// are skipped; each field is trimmed, stripped of "!" and "&" and converted KEL -> D.
// A trailing latitude without its longitude is ignored. One pass over the text; fields that
// hold no marks are converted in place without copying.
PosTexts ParsePosList(const QString& posText);

// The same reading as numbers: each value is exactly the "D" text ParsePosList gives, read
// back, so computations on either agree. `fromFormat` names the format of the fields ("KEL"
// for a `pos` value; "D", "DM", "DMS" or "PAO" for position texts built from other sources).
struct PosDegrees {
    std::vector<double> lat;
    std::vector<double> lon;
    bool truncated = false;
    int count() const { return int(lat.size()); }
};
PosDegrees ParsePosDegrees(QStringView posText, CoordFormat fromFormat = CoordFormat::kKEL);

// Hands every field of a `pos` value to `onField` as ParsePosList reads it, before any
// conversion: numbered from 1, with the marks "!", "<", ">" and line feeds removed, without
// the "&" or "," that ends it, not trimmed. A trailing latitude without a longitude and an
// empty field after a final "," or "&" are handed over too, so the caller sees exactly what
// the text holds. Texts of 3 characters or fewer hold no fields. Returns the number of fields
// handed over (at most kMaxPosFields); `truncated` is set when fields beyond that hold more
// than blanks.
int ForEachPosField(QStringView posText, const std::function<void(int, QStringView)>& onField,
                    bool* truncated = nullptr);

struct PosBounds {
    PosTexts pos;
    QString maxLat = QStringLiteral("-90");
    QString minLat = QStringLiteral("90");
    QString maxLon = QStringLiteral("-180");
    QString minLon = QStringLiteral("180");
};

// The same reading, also skipping carriage returns, with the bounding box as "D" texts
// (the starting texts when there are no positions).
PosBounds ParsePosListBounds(const QString& posText);

// Splits a `pos` value into raw fields (marks and arrows kept, no conversion; line feeds are
// dropped and a "!" moves to the front of its field). Returns the number of positions (at
// most kMaxPositions; fields beyond kMaxPosFields are ignored); `lat`/`lon` receive the raw
// fields of position `index` (1-based) when it exists, and become empty when it does not.
// An empty text returns 0 and leaves the outputs unchanged.
int GetPosPair(const QString& posText, int index, QString& lat, QString& lon);

// The same, with the count handed back through `indexInOut`.
void GetPosPairAt(const QString& posText, int& indexInOut, QString& lat, QString& lon);

// One position to be written: "KEL" texts plus its marks.
struct PosEntry {
    QString lat;
    QString lon;
    bool bang = false;  // "!" before the latitude
    bool amp = false;   // "&" after the longitude, in place of the ","
};

// Writes a position list: latitude "," longitude per position, positions joined by ","
// unless the earlier one ends with "&"; `arrow` (a line's arrow prefix) goes in front.
QString WritePosList(const std::vector<PosEntry>& positions, const QString& arrow = QString());

}  // namespace kel
