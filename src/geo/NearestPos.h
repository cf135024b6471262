// GetNearestPos: the figure of the command list nearest to a position, and the point of its
// outline nearest to it. Snapping and the figure edits (move, divide, combine) and the
// position editor's snap use it.
#pragma once

#include <QString>

#include "geo/FigureGeometry.h"

namespace kel {

class ListDocument;

// The point of one figure's outline nearest to a position (see NearestPos for the node
// position). A figure without nodes gives a negative distance.
struct FigurePoint {
    double lat_deg = 0;
    double lon_deg = 0;
    double distance_km = -1;
    double nodePosition = 0;
    bool atNode = false;
};
FigurePoint NearestOnFigure(const GeoFigure& figure, double lat_deg, double lon_deg,
                            bool nodesOnly = false);

struct NearestPosQuery {
    double lat_deg = 0;
    double lon_deg = 0;
    // Figures are looked at only when their box, widened on every side by five times this
    // distance turned into degrees (km / 6378.0 * 180 / pi), holds the position. 0 looks only
    // at figures whose box holds it.
    double searchDistance_km = 0;
    // When above 0, a figure counts only when it is nearer than this (the snapping
    // tolerance); otherwise every figure within the search box counts.
    double tolerance_km = 0;
    // A list line left out (the figure being edited), -1 for none.
    int excludeIndex = -1;
    // Only nodes count (a figure's listed positions, a circle's centre), not the points
    // between them on its sides.
    bool nodesOnly = false;
};

struct NearestPos {
    int index = -1;            // list line of the nearest figure; -1 when none was found
    double lat_deg = 0;        // the nearest point on it
    double lon_deg = 0;
    double distance_km = 0;
    // Where the point lies on the figure, counted from node 1: k when it is node k, k + f for
    // a point on the side from node k to node k+1 at the fraction f of that side (the
    // closing side of an area or rect runs from the last node n to node 1, giving n + f).
    // Nodes are numbered as the figure lists them; a rect's nodes are its four corners in
    // drawing order, (lat1,lon1), (lat1,lon2), (lat2,lon2), (lat2,lon1). A circle has node 1,
    // its centre; a point on its rim has the position 1 with atNode false.
    double nodePosition = 0;
    bool atNode = false;       // the point is a node (nodePosition is whole)
    QString figureType;        // the command word of the figure
    QString posText;           // its `pos` value
    bool found() const { return index >= 0; }
};

// Walks the command list (progress in the title every 500 lines, restored at the end) and
// keeps the figure and outline point at the least distance; the first figure found wins a
// tie. Measures: to a node CalcDistance, to a side SegmentDistance, to a circle the nearer of
// its centre and its rim (the rim point lies on the line from the centre toward the
// position, or due north of the centre when the position is the centre).
NearestPos GetNearestPos(ListDocument& editor, const NearestPosQuery& query);

// The result as one text: "[" line "]" word "(" node position ")" latitude "," longitude in
// "D"; empty when nothing was found. Example: "[12]line(2.5)35.5,139.25".
QString NearestPosText(const NearestPos& found);

}  // namespace kel
