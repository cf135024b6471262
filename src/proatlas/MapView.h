// What a map window shows: a centre and a zoom in the Mercator projection, the
// conversions between screen pixels and degrees, and the scale denominator that follows
// the zoom (the map's LayerScale).
#pragma once

#include <QPointF>
#include <QSize>
#include <QString>

#include "geo/FigureGeometry.h"

namespace kel {

// A screen pixel taken as 0.28 mm, as map servers reckon scales.
constexpr double kMetresPerScreenPixel = 0.00028;
// Metres of one degree of longitude at the equator (WGS 84).
constexpr double kMetresPerDegree = 111319.49;
// Limits of the zoom: the whole earth to a little under 1:1,000.
constexpr double kMinLayerScale = 800;
constexpr double kMaxLayerScale = 400000000;

// Mercator ordinate of a latitude, in "degrees" (equal to the latitude near the equator).
double MercatorY(double lat_deg);
double MercatorLat(double y);

struct MapView {
    double centerLat_deg = 36.0;
    double centerLon_deg = 138.0;
    double pxPerDeg = 40.0;  // pixels per degree of longitude
    QSize size{800, 600};

    QPointF ToScreen(double lat_deg, double lon_deg) const;
    // The latitude (first) and longitude (second) under a pixel.
    std::pair<double, double> ToGeo(QPointF screen) const;
    // The box of what is shown.
    GeoBox Box() const;
    // Scale denominator at the centre's latitude.
    double LayerScale() const;
    void SetLayerScale(double scale);
    // Zooms by a factor (> 1 in) keeping the position under `anchor` where it is.
    void ZoomAbout(QPointF anchor, double factor);
    // Moves the view by a pixel offset (content follows the pointer).
    void PanBy(QPointF delta);
    // Shows a box whole with a margin of `marginPx`; a box of one point keeps the zoom.
    void FitBox(const GeoBox& box, double marginPx = 30);
    bool operator==(const MapView& o) const = default;
};

// A position in the "KEL" form (35/30/12.3) for the status line and grid labels.
QString KelPositionText(double lat_deg, double lon_deg);

}  // namespace kel
