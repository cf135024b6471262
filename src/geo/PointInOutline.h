// Whether a position lies inside an outline given as a list of edges, by counting the edges
// that rays from the position cross. Positions are decimal degrees; "x" is the latitude and
// "y" the longitude in the crossing test.
#pragma once

#include <span>
#include <vector>

namespace kel {

struct Edge {
    double startLat_deg = 0;
    double startLon_deg = 0;
    double endLat_deg = 0;
    double endLon_deg = 0;
};

// The edges of the outline through the positions (edge k from position k to k+1). With
// `close`, the first position is appended after the last (as the spatial tests close an
// `area`, also when it already ends where it starts). No positions: no edges.
std::vector<Edge> OutlineEdges(std::span<const double> lat_deg, std::span<const double> lon_deg,
                               bool close);

// Number of edges a ray from (lat, lon) crosses. Mode 1: along the parallel toward smaller
// longitudes (edges whose latitude span strictly holds the position's latitude and that
// meet the parallel west of it); mode 2: along the meridian toward smaller latitudes. An
// edge whose ends share the position's coordinate with it and lie on its line also counts.
// Other modes count nothing.
int Cross(std::span<const Edge> edges, double lat_deg, double lon_deg, int mode);

// The point-test offset: 0.01 second of arc in degrees (the "KEL" text 0/0/00.01).
double PointTestOffset_deg();

// Six votes for inside (0..6): the ray counts of mode 1 from the position shifted in
// latitude by -offset, 0, +offset, and of mode 2 shifted in longitude the same way; an odd
// count is a vote for inside.
int PntLocVotes(std::span<const Edge> edges, double lat_deg, double lon_deg);

// Inside when at least three of the six votes say so (a 3-3 tie is inside), which decides
// positions on an edge or a corner by the shifted rays. The caller closes the outline.
bool PntLoc(std::span<const Edge> edges, double lat_deg, double lon_deg);

}  // namespace kel
