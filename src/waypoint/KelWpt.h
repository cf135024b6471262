// Conversion between KEL scripts and Waypoint+ text files, both ways.
//
// KEL -> Waypoint+ ("WPT"): points whose label begins "[WP]" become waypoints, lines whose
// label begins "[RT]" routes and "[TR]" track logs. Waypoint+ -> KEL ("KEL"): a complete
// script with one group per kind of GPS data, waypoints as points, each route as a line
// and its points, each track log as a line and the points its step option marks.
//
// The conversions work on lines in memory; ConvertKelWpt reads and writes the files. The
// editor's Import and Export operations and the `kel` command line are built on these.
#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

#include "common/TextFile.h"
#include "geo/Datum.h"
#include "platform/Clock.h"
#include "waypoint/WptOptions.h"

namespace kel {

// A route's points per line figure, and a track's. A longer route or track is written as
// consecutive figures of at most this many points, each beginning at the last point of the
// one before, so that no point is lost.
constexpr int kMaxRoutePoints = 256;
constexpr int kMaxTrackPoints = 2560;

// Group ids written on import.
inline const QString kGidWaypoint = QStringLiteral("5131");
inline const QString kGidRoute = QStringLiteral("5132");
inline const QString kGidRoutePoint = QStringLiteral("5133");
inline const QString kGidRoutePointOrigin = QStringLiteral("5133.1");
inline const QString kGidRoutePointDestination = QStringLiteral("5133.2");
inline const QString kGidTrackLog = QStringLiteral("5134");
inline const QString kGidTrackPoint = QStringLiteral("5135");

// Label marks of figures that came from (or go to) Waypoint+ data.
inline const QString kMarkWaypoint = QStringLiteral("[WP]");
inline const QString kMarkRoute = QStringLiteral("[RT]");
inline const QString kMarkTrack = QStringLiteral("[TR]");

struct WptConversion {
    bool ok = true;
    QString error;              // why nothing was written, when !ok
    QStringList lines;          // Waypoint+ lines, or command texts (which may hold CR LF)

    int waypoints = 0;
    int routes = 0;
    int routePoints = 0;
    int tracks = 0;
    int trackPoints = 0;
    int splitFigures = 0;       // extra line figures made for long routes and tracks
    int skippedMalformed = 0;   // records or figures passed over: unreadable positions,
                                // too few fields, a route point outside a route
    int skippedUnsupported = 0; // records of a type this program does not read
    int truncatedFigures = 0;   // figures holding more positions than a pos value can
    int changedValues = 0;      // values that held characters a script value cannot hold
    QStringList notes;          // one line per passed-over or changed item (the first 100)
    QString unknownDatum;       // a datum name that is not known: positions left unconverted
    QString datumShift;         // "WGS84 -> tokyo" when positions were shifted


    // A few lines for the user: what was converted and what was passed over.
    QString Summary() const;
};

// KEL command texts (read statement by statement from `kel`) to Waypoint+ lines. Waypoints
// and routes without a creation stamp, and all track points, are dated by `clock`.
WptConversion ConvertKelToWpt(LineSource& kel, const WptOptions& options, const Clock& clock);

// The same for the command texts of a script held in memory (the editor's list, saved or
// not): they are read as a saved copy of them would be, without writing one.
WptConversion ConvertCommandsToWpt(const QStringList& commandTexts, const WptOptions& options,
                                   const Clock& clock);

// Waypoint+ lines to the command texts of a complete script whose positions are in
// `scriptDatum`: positions are shifted from the datum of the file's "Datum" line (Tokyo when
// it has none); a datum line naming an unknown datum is reported and its positions are
// taken as they stand.
WptConversion ConvertWptToKel(LineSource& wpt, const WptOptions& options,
                              const Datum& scriptDatum = Datum::Tokyo());

struct WptRecords;
// The same from records already read (the GPX import reads its file into Waypoint+ records
// and converts them here, so both imports write the same groups and figures).
WptConversion ConvertWptRecordsToKel(WptRecords read, const WptOptions& options,
                                     const Datum& scriptDatum);

// A position list of a line figure: "KEL" positions joined by ",", a line break after every
// fifth, `arrow` in front.
QString KelPosListText(const std::vector<double>& lat_deg, const std::vector<double>& lon_deg,
                       size_t first, size_t last, const QString& arrow);

// Consecutive index ranges [first, last] of n points, at most `max` points each, each after
// the first beginning at the last point of the one before.
std::vector<std::pair<size_t, size_t>> SplitRanges(size_t n, size_t max);

// The header, start, empty message and theme and the seven groups that begin an import.
QStringList WptImportHeader();

// Converts the file at `source` into the file at `target` (created or replaced
// atomically): mode "WPT" reads a KEL file and writes Waypoint+, mode "KEL" the reverse.
// An unreadable source, an unknown mode or a failed write gives ok = false and leaves the
// target as it was.
WptConversion ConvertKelWpt(const QString& source, const QString& target, const QString& mode,
                            const WptOptions& options, const Clock& clock);

}  // namespace kel
