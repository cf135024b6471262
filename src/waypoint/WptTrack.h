// Positions of Waypoint+ records and the measures of a run of them (a track log or a
// route): distance along the way, duration, speed and the summary text.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

#include "common/TextFile.h"
#include "waypoint/WptRecord.h"

namespace kel {

// The records of a file that this program reads, in file order, with the lines that were
// passed over counted (unknown record types, malformed records) and described.
struct WptRecords {
    std::vector<WptRecord> records;  // Datum, WP, RN, RP and TP only
    int unsupported = 0;
    int malformed = 0;
    QStringList notes;               // "line N: ...", at most kMaxNotes of them
    static constexpr int kMaxNotes = 100;
};

WptRecords ReadWptRecords(LineSource& file);

// One position of a WP, RP or TP record.
struct WptPoint {
    QString format, lat, lon;  // as read
    double latDeg = 0, lonDeg = 0;  // decimal degrees (the values of their "D" texts)
    QString date, time;        // as read ("mm/dd/yyyy", "hh:mm:ss")
    QString name, comment;     // WP and RP
    QDateTime when;            // date and time together; invalid when they do not read
};

WptPoint PointOf(const WptRecord& record);

// A record's date "mm/dd/yyyy" (leading zeros optional) and time "hh:mm:ss"; invalid when
// they do not read as such.
QDate ReadWptDate(const QString& date);
QDateTime ReadWptDateTime(const QString& date, const QString& time);

// The TP records from `begin` that form one track: the first, and the following TP
// records up to the next one whose new-track flag is 1 or the next record of another
// type. Returns the index after the track.
size_t GatherTrack(const std::vector<WptRecord>& records, size_t begin,
                   std::vector<WptPoint>& track);

// Great-circle distance in km between two points.
double DistanceKm(const WptPoint& a, const WptPoint& b);

// Distance along the points to each point (element 0 is 0).
std::vector<double> CumulativeKm(const std::vector<WptPoint>& points);

// Seconds from a to b; 0 when either time is unknown or b is not later than a.
qint64 SecondsBetween(const WptPoint& a, const WptPoint& b);

// km/h over a distance and a duration; 0 for a duration of 0.
double SpeedKmh(double km, qint64 seconds);

// "hh:mm:ss" of a duration (hours grow beyond two digits when needed).
QString DurationText(qint64 seconds);

// " Total:<n>tps <hh:mm:ss> <km ####.###>km <speed ###>km/hr"; the speed is "0" when the
// duration is 0.
QString TrackSummary(int points, double km, qint64 seconds);

}  // namespace kel
