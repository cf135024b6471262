// GPX (GPS Exchange Format) in and out.
//
// Export: the "[WP]" points of a script become `wpt`, the "[RT]" lines `rte` with `rtept`,
// the "[TR]" lines `trk` with one `trkseg` of `trkpt`; GPX 1.1, WGS84, UTF-8. Names are the
// labels after the mark, comments the figures' `info`; a waypoint's or route's time comes
// from a creation stamp in its `info` ("CRTD hh:mm dd-MMM-yy", local time at the UTC
// offset of the options).
//
// Import: GPX 1.0 and 1.1 are read as a stream into Waypoint+ records (`wpt` -> WP, `rte`
// -> RN and RP, each `trkseg` -> a run of TP) and converted by the Waypoint+ import, so both
// write the same groups and figures. Times are read as UTC and shown at the UTC offset; a
// waypoint with a time and no stamp in its comment gets one. The comment is `cmt`, else
// `desc`; one that only repeats the name is dropped. Extensions and elements this
// program does not hold are skipped; a point without a usable latitude and longitude is
// skipped and counted, never placed at 0,0.
#pragma once

#include <QIODevice>
#include <QString>

#include "common/TextFile.h"
#include "geo/Datum.h"
#include "platform/Clock.h"
#include "waypoint/KelWpt.h"
#include "waypoint/WptOptions.h"
#include "waypoint/WptTrack.h"

namespace kel {

// The GPX text of the GPS figures of a script (read statement by statement from `kel`).
struct GpxExport {
    WptConversion counts;  // what was exported and passed over; `lines` stays empty
    QByteArray gpx;
};
GpxExport ConvertKelToGpx(LineSource& kel, const WptOptions& options);
GpxExport ConvertCommandsToGpx(const QStringList& commandTexts, const WptOptions& options);

// Reads a GPX document into Waypoint+ records, a "Datum" record naming WGS84 first.
// `error` is set (and no records are returned) when the input is not a GPX document; an
// XML error after the start keeps what was read before it and counts as a malformed record.
WptRecords ReadGpxRecords(QIODevice& in, const WptOptions& options, QString* error);

// The GPX file at `path` as the command texts of a complete script in `scriptDatum`.
WptConversion ConvertGpxToKel(const QString& path, const WptOptions& options,
                              const Datum& scriptDatum);

// File to file: mode "GPX" reads the script at `source` and writes GPX to `target`, mode
// "KEL" the reverse (a complete script in the Tokyo datum). Targets are replaced atomically;
// nothing is written on failure.
WptConversion ConvertKelGpx(const QString& source, const QString& target, const QString& mode,
                            const WptOptions& options);

}  // namespace kel
