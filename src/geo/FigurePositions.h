// The positions of one figure as the figure edits need them: each position's own field
// texts with its marks ("!" before the latitude, "&" after the longitude) and its value in
// degrees, and a line's arrow prefix apart. Edits that leave a position where it is keep its
// text as written; only positions that are computed are written anew in "KEL" form.
#pragma once

#include <QString>
#include <vector>

#include "geo/PosList.h"

namespace kel {

struct FigurePos {
    QString lat;  // field text without marks and blanks ("35/30/12.3")
    QString lon;
    double lat_deg = 0;
    double lon_deg = 0;
    bool bang = false;  // "!" before the latitude
    bool amp = false;   // "&" after the longitude
};

struct FigurePositions {
    QString arrow;  // the arrow prefix of a line as written ("< ", "<>", "<", ...), or empty
    std::vector<FigurePos> pos;
    // The text held more positions than a figure may have (kMaxPositions); `pos` then holds
    // only the first kMaxPositions and must not be written back in place of the text.
    bool overLimit = false;
    int count() const { return int(pos.size()); }
};

// The arrow prefix at the very start of a `pos` value: "< ", "> ", "<>" or "><" (two
// characters), else a single "<" or ">"; empty when the value starts otherwise.
QString ArrowPrefix(const QString& posText);

// The arrow mark read the other way round: a single-direction mark ("<", ">", "< ", "> ")
// turns to the other direction; "<>", "><" and no arrow are returned unchanged.
QString SwappedArrow(const QString& arrow);

// Reads a `pos` value. The positions and their values are those ParsePosList reads (a text
// of three characters or fewer holds none; a trailing latitude without longitude is
// ignored); "<" and ">" after the arrow prefix, line feeds and carriage returns are left
// out of the fields, a "!" anywhere in a position's fields marks the position.
FigurePositions ReadFigurePositions(const QString& posText);

// A position at a computed place, written in "KEL" form without marks.
FigurePos PositionAt(double lat_deg, double lon_deg);

// The same position shifted by the given amounts, written in "KEL" form; marks are kept, and
// so is the text of a coordinate whose shift is 0.
FigurePos Shifted(const FigurePos& p, double dLat_deg, double dLon_deg);

// Writes positions as a `pos` value: the arrow without its blanks, one blank when there is
// an arrow, then the positions (latitude "," longitude, joined by "," unless the earlier
// position ends with "&").
QString WriteFigurePositions(const QString& arrow, const std::vector<FigurePos>& positions);

}  // namespace kel
