#include "waypoint/TrackLog.h"

#include <QDate>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "common/Values.h"
#include "geo/Coordinates.h"
#include "geo/FigureMeasure.h"
#include "geo/PosList.h"
#include "script/Statement.h"
#include "waypoint/KelWpt.h"
#include "waypoint/WptCoord.h"
#include "waypoint/WptRecord.h"
#include "waypoint/WptStamp.h"
#include "waypoint/WptTrack.h"

namespace kel {

namespace {

using Fields = std::array<QString, 7>;

// The stamp offset with which the current time dates a script's track log.
constexpr int kScriptTrackOffsetHours = -9;

QString Base(const QString& source) { return source.left(std::max<qsizetype>(0, source.size() - 4)); }

bool IsKelName(const QString& path) {
    return path.trimmed().right(3).toUpper() == QLatin1String("KEL");
}

void CopyCounts(const WptRecords& read, TrackLogResult& r) {
    r.skippedMalformed = read.malformed;
    r.skippedUnsupported = read.unsupported;
    r.notes = read.notes;
}

// "N35:30:12.3": the hemisphere, then degrees, minutes and seconds of the absolute value.
QString PaLogCoord(const QString& degrees, bool latitude) {
    const double v = Val(degrees);
    const QChar hemisphere = latitude ? (v >= 0 ? QLatin1Char('N') : QLatin1Char('S'))
                                      : (v >= 0 ? QLatin1Char('E') : QLatin1Char('W'));
    const QString dms = DmsCoordText(std::fabs(v));
    const qsizetype dot = dms.indexOf(QLatin1Char('.'));
    const QString deg = dot < 0 ? dms : dms.left(dot);
    const QString frac = dot < 0 ? QString() : dms.mid(dot + 1);
    const QString minutes = frac.left(2).leftJustified(2, QLatin1Char('0'));
    const double seconds = Val(frac.mid(2, 4).leftJustified(4, QLatin1Char('0'))) / 100.0;
    return hemisphere + deg + QLatin1Char(':') + minutes + QLatin1Char(':') +
           FormatNumber(seconds, u"00.0");
}

QString PaLogDate(const QString& date) {
    const QDate d = ReadWptDate(date);
    if (d.isValid()) return d.toString(QStringLiteral("yy/MM/dd"));
    return date.mid(8, 2) + QLatin1Char('/') + date.mid(0, 2) + QLatin1Char('/') + date.mid(3, 2);
}

QString RouteComment(const std::vector<WptPoint>& points, const std::vector<double>& cum, size_t j) {
    const WptPoint& p = points[j];
    const WptPoint& prev = points[j == 0 ? 0 : j - 1];
    const double intvKm = cum[j] - cum[j == 0 ? 0 : j - 1];
    const qint64 elapsed = SecondsBetween(points[0], p);
    return QStringLiteral("(%1/%2) ").arg(j + 1).arg(points.size()) + DurationText(elapsed) +
           QStringLiteral(" Intv. ") + FormatNumber(intvKm, u"0000.000") + QStringLiteral(" km ") +
           FormatNumber(SpeedKmh(intvKm, SecondsBetween(prev, p)), u"0") +
           QStringLiteral(" km/hr Accm. ") + FormatNumber(cum[j], u"0000.000") +
           QStringLiteral(" km ") + FormatNumber(SpeedKmh(cum[j], elapsed), u"0") +
           QStringLiteral(" km/hr");
}

void AppendTrackRoute(const std::vector<WptPoint>& points, int k, int routeNumber, QStringList& out) {
    const std::vector<double> cum = CumulativeKm(points);
    const qint64 secs = SecondsBetween(points.front(), points.back());
    const QString name = QStringLiteral("TR%1 Total:%2tps ").arg(k).arg(points.size()) +
                         FormatNumber(cum.back(), u"0.000") + QStringLiteral("km ") +
                         FormatNumber(SpeedKmh(cum.back(), secs), u"0") + QStringLiteral("km/hr");
    out.append(FormatWptRecord(wpt::kRouteHeader, Fields{QString::number(routeNumber), name}));
    for (size_t j = 0; j < points.size(); ++j) {
        const WptPoint& p = points[j];
        const QString pointName = j == 0                   ? QStringLiteral("STR")
                                  : j == points.size() - 1 ? QStringLiteral("END")
                                                           : FormatNumber(double(j + 1), u"000");
        out.append(FormatWptRecord(wpt::kRoutePoint, Fields{p.format, pointName, p.lat, p.lon, p.date,
                                                            p.time, RouteComment(points, cum, j)}));
    }
}

// A track to be written as a ProAtlas log: its lines.
using LogTrack = QStringList;

std::vector<LogTrack> KelLogTracks(const QStringList& lines, const Clock& clock, TrackLogResult& r) {
    const QDateTime now = clock.Now();
    QString date = WptDateText(now.date());
    QString time = WptTimeText(now.time());
    ParseStamp(MakeStamp(now.time(), now.date()), date, time, kScriptTrackOffsetHours);
    std::vector<LogTrack> tracks;
    LineSource source(lines);
    while (!source.AtEnd()) {
        const QString text = ReadStatement(source);
        if (text.isEmpty()) continue;
        Slots s;
        if (ParseStatement(text, s) != QLatin1String("line") || !s[4].startsWith(kMarkTrack)) continue;
        const PosTexts pos = ParsePosList(s[3]);
        if (pos.truncated)
            r.notes.append(QStringLiteral("track \"%1\" holds more than %2 positions; the rest are not converted")
                               .arg(s[4])
                               .arg(kMaxPositions));
        if (pos.count() == 0) continue;
        LogTrack t;
        for (int i = 0; i < pos.count(); ++i) t.append(PaLogLine(date, time, pos.lat[i], pos.lon[i]));
        tracks.push_back(t);
    }
    return tracks;
}

std::vector<LogTrack> WptLogTracks(const QStringList& lines, TrackLogResult& r) {
    LineSource source(lines);
    const WptRecords read = ReadWptRecords(source);
    CopyCounts(read, r);
    std::vector<LogTrack> tracks;
    size_t i = 0;
    std::vector<WptPoint> points;
    while (i < read.records.size()) {
        if (read.records[i].type != wpt::kTrackPoint) {
            ++i;
            continue;
        }
        i = GatherTrack(read.records, i, points);
        LogTrack t;
        for (const WptPoint& p : points) t.append(PaLogLine(p.date, p.time, NumText(p.latDeg), NumText(p.lonDeg)));
        tracks.push_back(t);
    }
    return tracks;
}

}  // namespace

QString TrackRouteTarget(const QString& source) { return Base(source) + QStringLiteral("(Info).TXT"); }

QString TrackLogTarget(const QString& source, int track) {
    return Base(source) + QStringLiteral("-%1.LOG").arg(track);
}

QString TrackLogTargetPattern(const QString& source) { return Base(source) + QStringLiteral("*.LOG"); }

QString PaLogLine(const QString& date, const QString& time, const QString& latDeg, const QString& lonDeg) {
    return PaLogDate(date) + QLatin1Char(' ') + time + QLatin1Char(' ') + PaLogCoord(latDeg, true) +
           QLatin1Char(' ') + PaLogCoord(lonDeg, false);
}

TrackLogResult ConvertTrackToRoute(LineSource& wpt) {
    TrackLogResult r;
    const WptRecords read = ReadWptRecords(wpt);
    CopyCounts(read, r);
    int maxRoute = 0;
    for (const WptRecord& rec : read.records)
        if (rec.type == wpt::kRouteHeader) maxRoute = std::max(maxRoute, int(Val(rec.field(1))));
    r.lines.append(FormatWptRecord(wpt::kDatum, Fields{kWptDatumText}));
    std::vector<WptPoint> points;
    size_t i = 0;
    while (i < read.records.size()) {
        const WptRecord& rec = read.records[i];
        if (rec.type == wpt::kTrackPoint) {
            i = GatherTrack(read.records, i, points);
            ++r.tracks;
            r.points += int(points.size());
            AppendTrackRoute(points, r.tracks, maxRoute + r.tracks, r.lines);
            continue;
        }
        if (rec.type != wpt::kDatum) r.lines.append(FormatWptRecord(rec));
        ++i;
    }
    if (r.tracks == 0) {
        r.ok = false;
        r.error = QStringLiteral("no track log (TP records) found");
    }
    return r;
}

TrackLogResult ConvertTrackLog(const QString& mode, const QString& source, const Clock& clock) {
    TrackLogResult r;
    const TextReadResult in = ReadTextFile(source);
    if (!in.ok) {
        r.ok = false;
        r.error = source + QStringLiteral(": ") + in.error;
        return r;
    }
    if (mode.compare(QLatin1String("WptTP"), Qt::CaseInsensitive) == 0) {
        LineSource lines(in.lines);
        r = ConvertTrackToRoute(lines);
        if (!r.ok) return r;
        const QString target = TrackRouteTarget(source);
        const TextWriteResult w = WriteTextFile(target, r.lines);
        if (!w.ok) {
            r.ok = false;
            r.error = target + QStringLiteral(": ") + w.error;
        } else {
            r.written.append(target);
        }
        return r;
    }
    if (mode.compare(QLatin1String("WptPAlog"), Qt::CaseInsensitive) != 0) {
        r.ok = false;
        r.error = QStringLiteral("unknown track-log mode \"%1\" (WptTP or WptPAlog)").arg(mode);
        return r;
    }
    const std::vector<LogTrack> tracks =
        IsKelName(source) ? KelLogTracks(in.lines, clock, r) : WptLogTracks(in.lines, r);
    if (tracks.empty()) {
        r.ok = false;
        r.error = IsKelName(source) ? QStringLiteral("no track log ([TR] line) found")
                                    : QStringLiteral("no track log (TP records) found");
        return r;
    }
    for (size_t k = 0; k < tracks.size(); ++k) {
        const QString target = TrackLogTarget(source, int(k + 1));
        const TextWriteResult w = WriteTextFile(target, tracks[k]);
        if (!w.ok) {
            r.ok = false;
            r.error = target + QStringLiteral(": ") + w.error;
            return r;
        }
        r.written.append(target);
        ++r.tracks;
        r.points += int(tracks[k].size());
    }
    return r;
}

TrackDrms TrackLog2DRMS(LineSource& wpt) {
    TrackDrms d;
    const WptRecords read = ReadWptRecords(wpt);
    d.skippedMalformed = read.malformed;
    // Every track point counts: the positions are gathered as degrees, not as a position
    // text, which could hold only kMaxPositions of them.
    PosDegrees pos;
    for (const WptRecord& rec : read.records) {
        if (rec.type != wpt::kTrackPoint) continue;
        pos.lat.push_back(Val(ConvertCoord(rec.lat(), rec.format(), QStringLiteral("D"))));
        pos.lon.push_back(Val(ConvertCoord(rec.lon(), rec.format(), QStringLiteral("D"))));
        ++d.points;
    }
    d.found = d.points > 0;
    if (d.found) d.text = Calc2DRMS(pos);
    return d;
}

TrackDrms TrackLog2DRMSFile(const QString& path) {
    const TextReadResult in = ReadTextFile(path);
    if (!in.ok) {
        TrackDrms d;
        d.error = path + QStringLiteral(": ") + in.error;
        return d;
    }
    LineSource lines(in.lines);
    return TrackLog2DRMS(lines);
}

bool AppendDrmsLine(const QString& path, const QString& text, QString* error) {
    const TextReadResult in = ReadTextFile(path);
    if (!in.ok || in.firstBadLine > 0) {
        if (error)
            *error = !in.ok ? in.error
                            : QStringLiteral("line %1 is not valid Shift-JIS; the file is left as it is")
                                  .arg(in.firstBadLine);
        return false;
    }
    QStringList lines = in.lines;
    lines.append(QStringLiteral("# ") + text);
    const TextWriteResult w = WriteTextFile(path, lines);
    if (!w.ok && error) *error = w.error;
    return w.ok;
}

}  // namespace kel
