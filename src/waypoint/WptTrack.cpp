#include "waypoint/WptTrack.h"

#include <QDate>
#include <QTime>

#include "common/Values.h"
#include "geo/Coordinates.h"
#include "geo/Geometry.h"

namespace kel {

namespace {

// The numbers of a date "m/d/yyyy" or a time "h:m:s": three runs of digits between the
// separators; false when the text is not of that shape.
bool ReadThree(QStringView text, QChar sep, int out[3]) {
    int k = 0;
    int digits = 0;
    out[0] = out[1] = out[2] = 0;
    for (QChar c : text.trimmed()) {
        if (c == sep) {
            if (digits == 0 || ++k > 2) return false;
            digits = 0;
        } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9') && digits < 4) {
            out[k] = out[k] * 10 + (c.unicode() - '0');
            ++digits;
        } else {
            return false;
        }
    }
    return k == 2 && digits > 0;
}

}  // namespace

QDate ReadWptDate(const QString& date) {
    int d[3];
    return ReadThree(date, QLatin1Char('/'), d) ? QDate(d[2], d[0], d[1]) : QDate();
}

QDateTime ReadWptDateTime(const QString& date, const QString& time) {
    int t[3];
    const QDate day = ReadWptDate(date);
    if (!day.isValid() || !ReadThree(time, QLatin1Char(':'), t)) return QDateTime();
    const QTime clock(t[0], t[1], t[2]);
    return clock.isValid() ? QDateTime(day, clock, Qt::UTC) : QDateTime();
}

WptRecords ReadWptRecords(LineSource& file) {
    WptRecords out;
    for (WptRecord r = ReadWptRecord(file); r.type != wpt::kEof; r = ReadWptRecord(file)) {
        if (!r.type.isEmpty()) {
            out.records.push_back(std::move(r));
            continue;
        }
        if (r.malformed) {
            ++out.malformed;
        } else {
            ++out.unsupported;
        }
        if (out.notes.size() < WptRecords::kMaxNotes)
            out.notes.append(r.malformed ? r.field(1)
                                         : QStringLiteral("line %1: %2").arg(r.line).arg(r.field(1)));
    }
    return out;
}

WptPoint PointOf(const WptRecord& r) {
    WptPoint p;
    p.format = r.format();
    p.lat = r.lat();
    p.lon = r.lon();
    const CoordFormat format = CoordFormatOf(p.format);
    p.latDeg = PartsToDegrees(ReadCoordParts(p.lat, format));
    p.lonDeg = PartsToDegrees(ReadCoordParts(p.lon, format));
    p.date = r.date();
    p.time = r.time();
    if (r.type != wpt::kTrackPoint) {
        p.name = r.name();
        p.comment = r.comment();
    }
    p.when = ReadWptDateTime(p.date, p.time);
    return p;
}

size_t GatherTrack(const std::vector<WptRecord>& records, size_t begin,
                   std::vector<WptPoint>& track) {
    track.clear();
    size_t i = begin;
    for (; i < records.size() && records[i].type == wpt::kTrackPoint; ++i) {
        if (i > begin && records[i].StartsTrack()) break;
        track.push_back(PointOf(records[i]));
    }
    return i;
}

double DistanceKm(const WptPoint& a, const WptPoint& b) {
    return CalcDistance(a.latDeg, a.lonDeg, b.latDeg, b.lonDeg);
}

std::vector<double> CumulativeKm(const std::vector<WptPoint>& points) {
    std::vector<double> cum(points.size(), 0.0);
    for (size_t i = 1; i < points.size(); ++i)
        cum[i] = cum[i - 1] + DistanceKm(points[i - 1], points[i]);
    return cum;
}

qint64 SecondsBetween(const WptPoint& a, const WptPoint& b) {
    if (!a.when.isValid() || !b.when.isValid()) return 0;
    const qint64 s = a.when.secsTo(b.when);
    return s > 0 ? s : 0;
}

double SpeedKmh(double km, qint64 seconds) { return seconds > 0 ? km / (double(seconds) / 3600.0) : 0.0; }

QString DurationText(qint64 seconds) {
    return FormatNumber(double(seconds / 3600), u"00") + QLatin1Char(':') +
           FormatNumber(double(seconds / 60 % 60), u"00") + QLatin1Char(':') +
           FormatNumber(double(seconds % 60), u"00");
}

QString TrackSummary(int points, double km, qint64 seconds) {
    const QString speed =
        seconds > 0 ? FormatNumber(SpeedKmh(km, seconds), u"###") : QStringLiteral("0");
    return QStringLiteral(" Total:") + QString::number(points) + QStringLiteral("tps ") +
           DurationText(seconds) + QLatin1Char(' ') + FormatNumber(km, u"####.###") +
           QStringLiteral("km ") + speed + QStringLiteral("km/hr");
}

}  // namespace kel
