// The position arithmetic of the figure edits on `pos` values, apart from the list: move
// a figure, cut a line in two, connect two lines at their ends, join the positions of two
// commands. Each returns the new `pos` texts, or an empty result with the reason when the
// edit cannot be made without losing or corrupting positions.
#pragma once

#include <QString>

namespace kel {

// Where a snap met a figure: the node position t (k for node k, k + fraction on the side
// from node k to node k + 1) and the point found, in degrees.
struct FigureSpot {
    double node = 0;
    double lat_deg = 0;
    double lon_deg = 0;
};

// Whether a node position names a node (a whole number), and which.
bool IsNodePosition(double node);
int NodeNumber(double node);

// Reasons an edit is refused.
enum class EditRefusal {
    kNone,
    kNoPositions,  // the figure holds no position
    kOverLimit,    // the figure holds (or the result would hold) more than kMaxPositions
    kAtEnd,        // a cut at the first or last node (or beyond) leaves nothing to divide
};

// Move: every position shifted by the given amounts and written in "KEL" form; marks and
// the arrow prefix are kept.
struct MovedPos {
    QString pos;
    EditRefusal refusal = EditRefusal::kNone;
    bool ok() const { return refusal == EditRefusal::kNone; }
};
MovedPos MovePos(const QString& posText, double dLat_deg, double dLon_deg);

// Divide a line at a spot strictly inside it (1 < node < count). The first part holds the
// positions numbered below the node and then the spot, the second the spot and then the
// positions numbered above it; a spot at a node is that node (as written, marks kept) and
// ends the first part and starts the second. Each part is written with the line's arrow,
// a blank and its positions. A spot at the first or last node (or outside the line) is
// refused: one part would be a single position.
struct DividedPos {
    QString first;
    QString second;
    EditRefusal refusal = EditRefusal::kNone;
    bool ok() const { return refusal == EditRefusal::kNone; }
};
DividedPos DividePos(const QString& posText, const FigureSpot& spot);

// Combine: a line's positions oriented so that its end `fromEnd` (its node 1 or its last
// node) comes last. With fromEnd at node 1 the positions are reversed and a single-direction
// arrow is turned round.
struct OrientedLine {
    QString arrow;
    QString pos;  // written with the arrow
    int count = 0;
    bool reversed = false;
    EditRefusal refusal = EditRefusal::kNone;
    bool ok() const { return refusal == EditRefusal::kNone; }
};
OrientedLine OrientToEnd(const QString& posText, int endNode);

// The first line (already oriented, see OrientToEnd) followed by the positions of the second
// figure, taken so that its end `secondEnd` (node 1 or its last node) comes first. The
// result keeps the first line's arrow; the second figure's arrow is dropped. Refused when
// the result would hold more than kMaxPositions.
MovedPos CombinePos(const QString& firstOrientedPos, const QString& secondPosText, int secondEnd);

// Join Pos: the next command's `pos` (without its leading arrow) appended to the current
// `pos`. A "," joins them unless the current value already ends in a separator ("," or
// "&"); trailing blanks of the current value are dropped first, so that no empty field
// shifts the latitude/longitude pairs. Refused when the result would hold more than
// kMaxPositions.
MovedPos JoinPosTexts(const QString& currentPos, const QString& nextPos);

}  // namespace kel
