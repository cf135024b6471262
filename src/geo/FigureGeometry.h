// A figure read once into numbers for the spatial operations: its nodes in outline order,
// its radius, its bounding box and the closed outline of an area. Spatial selection,
// nearest/farthest search, the figure-to-figure distance and the nearest-position search
// all work on this form, so a figure's `pos` value is read once per operation.
#pragma once

#include <QString>
#include <QStringView>
#include <vector>

#include "geo/PointInOutline.h"
#include "geo/PosList.h"

namespace kel {

struct LatLon {
    double lat_deg = 0;
    double lon_deg = 0;
};

// A box of latitudes and longitudes, bounds included. Empty until a position is added.
struct GeoBox {
    double minLat_deg = 90;
    double maxLat_deg = -90;
    double minLon_deg = 180;
    double maxLon_deg = -180;

    bool IsEmpty() const { return minLat_deg > maxLat_deg || minLon_deg > maxLon_deg; }
    void Add(double lat_deg, double lon_deg);
    bool Contains(double lat_deg, double lon_deg) const;
    // Whether the boxes share a point (touching counts); an empty box overlaps nothing.
    bool Overlaps(const GeoBox& other) const;
    GeoBox Widened(double lat_deg, double lon_deg) const;
};

enum class FigureKind {
    kNone,    // not a figure, or no position
    kPoint,   // one node
    kLine,    // open polyline
    kCircle,  // centre node and radius
    kRect,    // four corners (one corner when only one position is listed)
    kArea,    // the listed positions, closed back to the first
};

struct GeoFigure {
    FigureKind kind = FigureKind::kNone;
    // Nodes: a point its position; a line and an area their listed positions; a circle its
    // centre; a rect with two or more positions its four corners in drawing order
    // (lat1,lon1), (lat1,lon2), (lat2,lon2), (lat2,lon1) of the first two positions; a rect
    // of one position that position.
    std::vector<double> lat_deg;
    std::vector<double> lon_deg;
    double r_km = 0;           // circle radius
    GeoBox nodeBox;            // box of the nodes
    GeoBox box;                // box of the region: the node box, for a circle centre +- r
    std::vector<Edge> edges;   // closed outline of an area of three or more nodes
    bool truncated = false;    // the `pos` value held more than kMaxPositions positions

    int NodeCount() const { return int(lat_deg.size()); }
    LatLon Node(int i) const { return {lat_deg[size_t(i)], lon_deg[size_t(i)]}; }
    // Sides run from node k to node k+1 (0-based here); a rect of four corners and an area of
    // three or more nodes also have the closing side from the last node to the first. A
    // figure of one node, and a circle, have no sides.
    int SideCount() const;
    LatLon SideEnd(int k) const { return Node(k + 1 < NodeCount() ? k + 1 : 0); }
    // Whether the figure encloses a region (rect of two corners, area of three or more
    // nodes, circle).
    bool HasRegion() const;
};

// Builds the figure from its type and positions. Types: "point", "line", "circle" (radius
// `r_km`), "circle1" (centre and rim point: the radius is their distance), "circle2" (two
// ends of a diameter: the centre is their mean, the radius half their distance), "rect",
// "area". Other types and no positions give kind kNone. A circle1 or circle2 of one position
// is a circle of radius 0.
GeoFigure MakeGeoFigure(const QString& figureType, const PosDegrees& pos, double r_km = 0);
// The same from a `pos` value and, for a "circle", its `r` value.
GeoFigure GeoFigureOfShape(const QString& figureType, QStringView posText,
                           const QString& rText = QString());
// The figure of a command text: its word, `pos` and, for a circle, `r`.
GeoFigure GeoFigureOfCommand(const QString& commandText);

// Whether a position lies inside a figure's region: never for a point or line; a rect when
// the latitude and longitude lie within its corners' bounds (included); a circle when the
// distance from the centre does not exceed the radius; an area by the six-ray point test
// over its closed outline. A rect of one corner and an area of fewer than three positions
// enclose nothing.
bool FigureContains(const GeoFigure& figure, double lat_deg, double lon_deg);

// Whether the sides P1-P2 and Q1-Q2 cross, both intersection parameters strictly between 0
// and 1, the degree values taken as plane coordinates (parallel sides never cross).
bool SidesCross(LatLon p1, LatLon p2, LatLon q1, LatLon q2);

// Whether the side A-B crosses the outline of a figure with a region: a side of a rect or
// area, or, for a circle, passes within its radius of the centre.
bool SideMeetsOutline(const GeoFigure& figure, LatLon a, LatLon b);

// Distance in km from a position to a figure: the least distance to its sides (by
// SegmentDistance), or to its nodes when it has no sides; for a circle the distance to the
// centre less the radius. Never negative; 0 for a position inside the region. A figure
// without nodes gives -1.
double PositionToFigure_km(const GeoFigure& figure, double lat_deg, double lon_deg);

// Distance in km between two figures as sets of points, regions included:
// - 0 when they meet: a node of one lies inside the other's region (FigureContains), or a
//   side of one crosses a side of the other (SidesCross), or a side of one passes within a
//   circle's radius;
// - otherwise the least of the distances from each node of one figure to the other figure
//   (PositionToFigure_km: SegmentDistance to its sides, CalcDistance to its nodes when it
//   has none), a circle entering with its centre less its radius.
// A point to a point is thus CalcDistance between them, a point to a line its distance to
// the nearest side, and two circles the distance between the centres less both radii.
// -1 when either figure has no node.
double FigureDistance_km(const GeoFigure& a, const GeoFigure& b);

// A lower bound of the distance in km between any position of one box and any of the
// other (0 when they overlap); the great-circle distance and SegmentDistance never fall
// below it. Used to skip figures that cannot beat the best distance found so far.
double BoxDistanceLowerBound_km(const GeoBox& a, const GeoBox& b);

}  // namespace kel
