// The GPS figures of a script, found once for every export format: points marked "[WP]"
// (waypoints), lines marked "[RT]" (routes) and "[TR]" (track logs). The walk reads the
// script statement by statement, shifts every position from the script's datum into the
// datum of the file being written, names route points by the export options and hands the
// figures, in script order, to the writer of one format.
#pragma once

#include <QString>
#include <vector>

#include "common/TextFile.h"
#include "geo/Datum.h"
#include "waypoint/WptOptions.h"

namespace kel {

struct WptConversion;

struct GpsFix {
    double lat_deg = 0;
    double lon_deg = 0;
};

struct GpsRoutePoint {
    QString name;  // by the numbering, origin and destination options
    GpsFix at;
};

class GpsExportSink {
public:
    virtual ~GpsExportSink() = default;
    // `name` is the label after the mark without trailing blanks; `comment` the figure's
    // `info`, which may hold a creation stamp.
    virtual void Waypoint(const QString& name, const GpsFix& at, const QString& comment) = 0;
    // `number` counts the routes from 1; `name` is trimmed.
    virtual void Route(int number, const QString& name, const std::vector<GpsRoutePoint>& points,
                       const QString& comment) = 0;
    // `label` is the line's label after the mark, trimmed ("#1 06/21/2000").
    virtual void Track(const QString& label, const std::vector<GpsFix>& points) = 0;
};

// Walks the script in `kel`, counting into `result` what it hands over and what it passes
// over (figures without positions, positions beyond a figure's limit).
void WalkGpsFigures(LineSource& kel, const Datum& fileDatum, const WptOptions& options,
                    GpsExportSink& sink, WptConversion& result);

}  // namespace kel
