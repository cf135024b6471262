// Painting a map view: the base map (coastlines, lakes, borders, rivers), the latitude /
// longitude grid with its labels, the figures and texts the map holds, the mark and the
// scale bar. Used by the map widget and to make pictures without a window.
#pragma once

#include <QImage>
#include <functional>

#include "proatlas/MapView.h"

class QPainter;

namespace kel {

class BaseMap;
class MapContent;
struct TileId;

struct MapPaintOptions {
    // Read the finest base-map level the view needs before painting (pictures); otherwise
    // paint the finest level already read and let the rest come in the background.
    bool waitForBase = false;
    bool grid = true;
    bool scaleBar = true;
    // Raster tiles under the base map: the picture of a tile when at hand (null while it is
    // being fetched); unset: no tiles. `attribution` is shown in the corner with them.
    std::function<const QImage*(const TileId&)> tile;
    QString attribution;
};

struct MapPaintStats {
    int baseLevel = -1;     // the base-map resolution painted (-1 none)
    int baseLines = 0;
    int shapes = 0;         // figures painted
    QString baseError;      // why the base map is missing, if it is
};

MapPaintStats PaintMap(QPainter& p, const MapView& view, BaseMap* base, const MapContent& content,
                       const MapPaintOptions& options = {});

// The grid step in degrees for a view: the smallest of 10 deg ... 1 sec whose lines lie
// at least `minPx` pixels apart.
double GridStep_deg(double pxPerDeg, double minPx = 90);
// The tile zoom whose 256-pixel tiles come closest to the view's own size.
int TileZoomFor(double pxPerDeg);

// The scale bar: a round length in metres (1, 2 or 5 x 10^n) no longer than `maxPx`.
double ScaleBarLength_m(const MapView& view, double maxPx = 140);

}  // namespace kel
