// A whole script put on a map, as the preview program shows it: every figure styled by the
// `group` command of its gid (colours, line and area styles, widths), `str` texts as
// labels, and the view a `disp` command asks for.
#pragma once

#include <QString>
#include <QStringList>

#include "geo/Datum.h"
#include "geo/FigureGeometry.h"

namespace kel {

class MapContent;

// The view a script asks for.
struct PreviewView {
    enum class Kind { kNone, kFit, kCentre } kind = Kind::kNone;
    GeoBox box;               // kFit: show this box whole
    double lat_deg = 0;       // kCentre: centre here
    double lon_deg = 0;
    double layerScale = 0;    // > 0: this scale denominator
};

struct PreviewResult {
    bool ok = false;
    QString error;       // why the script could not be read
    int figures = 0;     // shapes drawn
    int labels = 0;
    int skipped = 0;     // figure commands without a readable position
    PreviewView view;    // from `disp`, else the extent of the figures
    Datum datum;         // the script's, from its `georef` command
};

// Reads a script file (Shift-JIS) and puts it on the map.
PreviewResult PreviewScriptFile(const QString& path, MapContent& map);
// The same for statements already read.
PreviewResult PreviewStatements(const QStringList& statements, MapContent& map);

struct MapView;
// Turns a view to show what the script asks for (a view request of kind kNone leaves it).
void ApplyPreviewView(MapView& view, const PreviewView& request);

// "r,g,b" as a 24-bit colour; `fallback` when the text is not three numbers.
int ParseRgbText(const QString& text, int fallback);

}  // namespace kel
