// Track-log utilities on Waypoint+ files: a track log as a route whose points carry travel
// information, track logs as ProAtlas track-log files, and the 2DRMS of a track log.
#pragma once

#include <QString>
#include <QStringList>

#include "common/TextFile.h"
#include "platform/Clock.h"

namespace kel {

struct TrackLogResult {
    bool ok = true;
    QString error;          // why nothing (more) was written, when !ok
    QStringList written;    // paths of the files written
    QStringList lines;      // "WptTP": the lines of the route file
    int tracks = 0;
    int points = 0;
    int skippedMalformed = 0;
    int skippedUnsupported = 0;
    QStringList notes;
};

// Target names: the source name with its last four characters replaced by "(Info).TXT";
// by "-<track>.LOG" for each track; and the pattern "*.LOG" shown before converting.
QString TrackRouteTarget(const QString& source);
QString TrackLogTarget(const QString& source, int track);
QString TrackLogTargetPattern(const QString& source);

// Mode "WptTP": the Waypoint+ file at `source` to TrackRouteTarget(source), in which every
// track becomes a route ("RN" named "TR<k>" with a summary, then one "RP" per track point,
// named "STR", "001" ... and "END", each with its interval and accumulated distance and
// speed). Waypoints and routes of the source are copied; the track routes are numbered
// after the source's highest route number.
// Mode "WptPAlog": the track logs of a Waypoint+ file, or the "[TR]" lines of a KEL file
// (by the name's extension), to one ".LOG" file per track.
TrackLogResult ConvertTrackLog(const QString& mode, const QString& source, const Clock& clock);

// The "WptTP" conversion of Waypoint+ lines (TrackLogResult::lines receives the output).
TrackLogResult ConvertTrackToRoute(LineSource& wpt);

// One line of a ProAtlas track-log file from a Waypoint+ date ("mm/dd/yyyy"), time and a
// position in decimal degrees: "yy/mm/dd hh:mm:ss N35:30:12.3 E139:45:00.0".
QString PaLogLine(const QString& date, const QString& time, const QString& latDeg,
                  const QString& lonDeg);

struct TrackDrms {
    bool found = false;     // the file holds track points
    QString text;           // Calc2DRMS of them ("D"), empty when it cannot be computed
    int points = 0;
    int skippedMalformed = 0;
    QString error;          // the file could not be read
};

// The 2DRMS of every track point of a Waypoint+ file.
TrackDrms TrackLog2DRMS(LineSource& wpt);
TrackDrms TrackLog2DRMSFile(const QString& path);

// Appends the line "# " + text to the file (rewritten atomically). False, with `error` set,
// when the file cannot be read back whole or written.
bool AppendDrmsLine(const QString& path, const QString& text, QString* error);

}  // namespace kel
