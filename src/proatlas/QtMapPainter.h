// Painting a map view: the base map (coastlines, lakes, borders, rivers), the latitude /
// longitude grid with its labels, the figures and texts the map holds, the mark and the
// scale bar. Used by the map widget and to make pictures without a window.
#pragma once

#include <QImage>
#include <functional>

#include "geo/Datum.h"
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
    // The base map is in WGS84; the figures are in their script's datum (the Tokyo datum
    // unless its `georef` says otherwise), 400 m and more apart in Japan. The base map is
    // shifted into the figures' datum so that a figure sits where it belongs on the coast and
    // a click on the map reads a position in the script's datum.
    DatumShift baseShift;
    // Milliseconds the figures may take in a window's paint (0: no limit, for pictures).
    // Tens of thousands of large figures in view take many seconds to fill; past half the
    // budget they are drawn as outlines, past the whole of it the rest is left out (and
    // counted), so that the window never freezes.
    double figureBudget_ms = 0;
    // Raster tiles under the base map: the picture of a tile when at hand (null while it is
    // being fetched); unset: no tiles. `attribution` is shown in the corner with them.
    std::function<const QImage*(const TileId&)> tile;
    QString attribution;
};

struct MapPaintStats {
    int baseLevel = -1;     // the base-map resolution painted (-1 none)
    int baseLines = 0;
    int shapes = 0;         // figures painted
    int shapesSkipped = 0;  // figures in view left out for the time budget
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
