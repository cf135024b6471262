#include "geo/PointInOutline.h"

#include <algorithm>

#include "common/Values.h"
#include "geo/Coordinates.h"
#include "geo/Geometry.h"

namespace kel {

std::vector<Edge> OutlineEdges(std::span<const double> lat_deg, std::span<const double> lon_deg,
                               bool close) {
    const size_t n = std::min(lat_deg.size(), lon_deg.size());
    std::vector<Edge> edges;
    if (n == 0) return edges;
    edges.reserve(n);  // n - 1 edges, and one more when closed
    for (size_t i = 0; i + 1 < n; ++i)
        edges.push_back({lat_deg[i], lon_deg[i], lat_deg[i + 1], lon_deg[i + 1]});
    if (close) edges.push_back({lat_deg[n - 1], lon_deg[n - 1], lat_deg[0], lon_deg[0]});
    return edges;
}

int Cross(std::span<const Edge> edges, double lat_deg, double lon_deg, int mode) {
    if (mode != 1 && mode != 2) return 0;
    const double px = lat_deg, py = lon_deg;
    int count = 0;
    for (const Edge& e : edges) {
        const double x1 = e.startLat_deg, y1 = e.startLon_deg;
        const double x2 = e.endLat_deg, y2 = e.endLon_deg;
        const double d1 = mode == 1 ? px - x1 : y1 - py;
        const double d2 = mode == 1 ? x2 - x1 : y1 - y2;
        const double c = (py - y1) * (x2 - x1) - (px - x1) * (y2 - y1);
        const int s = SignOf(d1);
        if (s == SignOf(d2 - d1) && s == SignOf(c)) ++count;
    }
    return count;
}

double PointTestOffset_deg() {
    static const double offset = KelToDegrees(QStringLiteral("0/0/00.01"));
    return offset;
}

int PntLocVotes(std::span<const Edge> edges, double lat_deg, double lon_deg) {
    const double e = PointTestOffset_deg();
    int votes = 0;
    for (int i = 1; i <= 3; ++i) {
        votes += Cross(edges, lat_deg + (i - 2) * e, lon_deg, 1) % 2;
        votes += Cross(edges, lat_deg, lon_deg + (i - 2) * e, 2) % 2;
    }
    return votes;
}

bool PntLoc(std::span<const Edge> edges, double lat_deg, double lon_deg) {
    // Int(S / 6 + 0.5) = 1: at least half of the votes.
    return IntFloor(PntLocVotes(edges, lat_deg, lon_deg) / 6.0 + 0.5) == 1;
}

}  // namespace kel
