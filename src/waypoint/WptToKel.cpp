// Waypoint+ -> KEL: a complete script with the Waypoint+ groups, waypoints, routes and
// track logs.
#include <utility>
#include <vector>

#include "common/Values.h"
#include "geo/Coordinates.h"
#include "script/StatementWriter.h"
#include "waypoint/KelWpt.h"
#include "waypoint/WptCoord.h"
#include "waypoint/WptRecord.h"
#include "waypoint/WptTrack.h"

namespace kel {

namespace {

const QString kRight = QStringLiteral("right");

QString KelPos(const WptPoint& p) {
    return KelCoordText(p.latDeg) + QLatin1Char(',') + KelCoordText(p.lonDeg);
}

QString KelPosList(const std::vector<WptPoint>& points, size_t first, size_t last,
                   const QString& arrow) {
    std::vector<double> lat, lon;
    lat.reserve(last - first + 1);
    lon.reserve(last - first + 1);
    for (size_t i = first; i <= last; ++i) {
        lat.push_back(points[i].latDeg);
        lon.push_back(points[i].lonDeg);
    }
    return KelPosListText(lat, lon, 0, lat.size() - 1, arrow);
}

class Importer {
public:
    Importer(const WptOptions& options, const Datum& scriptDatum)
        : options_(options), scriptDatum_(scriptDatum) {
        UseFileDatum(Datum::Tokyo());
    }

    WptConversion Run(const WptRecords& read) {
        result_.skippedMalformed = read.malformed;
        result_.skippedUnsupported = read.unsupported;
        result_.notes = read.notes;
        result_.lines = WptImportHeader();
        const std::vector<WptRecord>& recs = read.records;
        size_t i = 0;
        while (i < recs.size()) {
            const WptRecord& r = recs[i];
            if (r.type == wpt::kWaypoint) {
                Waypoint(r);
                ++i;
            } else if (r.type == wpt::kRouteHeader) {
                i = Route(recs, i);
            } else if (r.type == wpt::kTrackPoint) {
                std::vector<WptPoint> track;
                i = GatherTrack(recs, i, track);
                for (WptPoint& p : track) shift_.Apply(p.latDeg, p.lonDeg);
                Track(track);
            } else if (r.type == wpt::kRoutePoint) {
                ++result_.skippedMalformed;
                Note(QStringLiteral("line %1: route point without a route header").arg(r.line));
                ++i;
            } else {
                UseFileDatum(DatumOfWptText(r.field(1)));
                ++i;
            }
        }
        Slots disp;
        disp[1] = QStringLiteral("all");
        Add(QStringLiteral("disp"), disp);
        Slots end;
        end[1] = QStringLiteral("end");
        Add(QStringLiteral("mapserver"), end);
        return std::move(result_);
    }

private:
    // Positions read from here on are in `fileDatum`.
    void UseFileDatum(const Datum& fileDatum) {
        shift_ = DatumShift(fileDatum, scriptDatum_);
        if (!fileDatum.known()) {
            result_.unknownDatum = fileDatum.name;
            Note(QStringLiteral("datum \"%1\" is not known; its positions are taken unconverted")
                     .arg(fileDatum.name));
        } else if (!shift_.IsIdentity()) {
            result_.datumShift = fileDatum.name + QStringLiteral(" -> ") + scriptDatum_.name;
        }
    }

    WptPoint Shifted(WptPoint p) const {
        shift_.Apply(p.latDeg, p.lonDeg);
        return p;
    }

    void Note(const QString& text) {
        if (result_.notes.size() < WptRecords::kMaxNotes) result_.notes.append(text);
    }

    // Builds and adds one command. A value the writer refuses (it would not read back as
    // written) has its offending characters replaced, and the change is counted.
    bool Add(const QString& word, Slots& slots) {
        BuiltStatement b = BuildStatement(word, slots);
        for (int attempt = 0; !b.ok() && b.badSlot > 0 && attempt < kSlotCount; ++attempt) {
            QString& v = slots[b.badSlot];
            const QString before = v;
            v.replace(QLatin1Char('"'), QLatin1Char('\''));
            v.replace(QLatin1Char(';'), QLatin1Char(':'));
            v.replace(QLatin1Char('\r'), QLatin1Char(' '));
            v.replace(QLatin1Char('\n'), QLatin1Char(' '));
            if (v == before) break;
            ++result_.changedValues;
            Note(QStringLiteral("%1 \"%2\": %3; written as \"%4\"").arg(word, before, b.reason, v));
            b = BuildStatement(word, slots);
        }
        if (!b.ok()) {
            ++result_.skippedMalformed;
            Note(QStringLiteral("%1 not written: %2").arg(word, b.reason));
            return false;
        }
        result_.lines.append(b.text);
        return true;
    }

    // A figure: oid, gid, pos, str, strformat "right", info.
    bool Figure(const QString& word, const QString& gid, const QString& pos, const QString& str,
                const QString& info) {
        Slots s;
        s[1] = QString::number(++oid_);
        s[2] = gid;
        s[3] = pos;
        s[4] = str;
        s[5] = kRight;
        s[8] = info;
        return Add(word, s);
    }

    void Waypoint(const WptRecord& r) {
        const WptPoint p = Shifted(PointOf(r));
        if (Figure(QStringLiteral("point"), kGidWaypoint, KelPos(p),
                   kMarkWaypoint + FormatText(p.name, u"@@@@@@!"), p.comment))
            ++result_.waypoints;
    }

    size_t Route(const std::vector<WptRecord>& recs, size_t at) {
        const QString number = recs[at].field(1);
        const QString name = recs[at].field(2);
        std::vector<WptPoint> points;
        size_t i = at + 1;
        for (; i < recs.size() && recs[i].type == wpt::kRoutePoint; ++i)
            points.push_back(Shifted(PointOf(recs[i])));
        if (points.empty()) {
            Note(QStringLiteral("line %1: route %2 \"%3\" has no points").arg(recs[at].line).arg(number, name));
            return i;
        }
        const auto pieces = SplitRanges(points.size(), kMaxRoutePoints);
        for (size_t k = 0; k < pieces.size(); ++k) {
            const auto [first, last] = pieces[k];
            QString info = QStringLiteral("RtNo:") + number + QStringLiteral(" RpNum:") +
                           QString::number(last - first + 1);
            if (pieces.size() > 1)
                info += QStringLiteral(" Part:%1/%2").arg(k + 1).arg(pieces.size());
            Figure(QStringLiteral("line"), kGidRoute, KelPosList(points, first, last, QStringLiteral("> ")),
                   kMarkRoute + name, info);
        }
        result_.splitFigures += int(pieces.size()) - 1;
        for (size_t j = 0; j < points.size(); ++j) {
            const WptPoint& p = points[j];
            const QString& gid = j == 0                   ? kGidRoutePointOrigin
                                 : j == points.size() - 1 ? kGidRoutePointDestination
                                                          : kGidRoutePoint;
            Figure(QStringLiteral("point"), gid, KelPos(p), QStringLiteral("RP:") + QString::number(j + 1),
                   kMarkRoute + FormatText(p.name, u"@@@@@@!") + QLatin1Char(' ') + p.comment);
        }
        ++result_.routes;
        result_.routePoints += int(points.size());
        return i;
    }

    // Whether track point j (1-based) of n gets a point figure under the step option.
    bool Marked(int step, size_t j, size_t n) const {
        if (step == WptOptions::kStepStartInLabel || step == WptOptions::kStepStartInInfo ||
            step == WptOptions::kStepUnlabelled)
            return false;
        if (j == 1 || j == n) return true;
        if (step == 0 || step == WptOptions::kStepEndsUnlabelled) return false;
        return j % size_t(step < 0 ? -step : step) == 0;
    }

    void Track(const std::vector<WptPoint>& points) {
        const int k = ++trackNumber_;
        const int step = options_.trackLogStep;
        const std::vector<double> cum = CumulativeKm(points);
        const auto pieces = SplitRanges(points.size(), kMaxTrackPoints);
        for (size_t piece = 0; piece < pieces.size(); ++piece) {
            const auto [first, last] = pieces[piece];
            QString label = QLatin1Char('#') + QString::number(k);
            if (pieces.size() > 1) label += QLatin1Char('-') + QString::number(piece + 1);
            const WptPoint& p1 = points[first];
            const QString start = QStringLiteral(" Start[") + p1.date + QLatin1Char(' ') + p1.time + QLatin1Char(']');
            const QString sum = TrackSummary(int(last - first + 1), cum[last] - cum[first],
                                             SecondsBetween(p1, points[last]));
            QString str, info;
            if (step == WptOptions::kStepStartInLabel) {
                str = kMarkTrack + label + start;
                info = label + sum;
            } else if (step == WptOptions::kStepStartInInfo) {
                str = kMarkTrack + label;
                info = label + start + sum;
            } else if (step == WptOptions::kStepEndsUnlabelled || step == WptOptions::kStepUnlabelled) {
                info = label + start + sum;
            } else {
                str = kMarkTrack + label + QLatin1Char(' ') + p1.date;
                info = label + sum;
            }
            Figure(QStringLiteral("line"), kGidTrackLog, KelPosList(points, first, last, QString()), str,
                   info);
        }
        result_.splitFigures += int(pieces.size()) - 1;

        const size_t n = points.size();
        std::vector<size_t> marked;
        for (size_t j = 1; j <= n; ++j)
            if (Marked(step, j, n)) marked.push_back(j - 1);
        for (size_t m = 0; m < marked.size(); ++m) {
            const size_t j = marked[m];
            const WptPoint& p = points[j];
            const size_t prev = m == 0 ? j : marked[m - 1];
            const double km = cum[j] - cum[prev];
            const qint64 secs = SecondsBetween(points[prev], p);
            QString str = m == 0                   ? QStringLiteral("Start")
                          : m == marked.size() - 1 ? QStringLiteral("End")
                          : p.time.isEmpty()       ? QString::number(j + 1)
                                                   : p.time;
            const QString info = QLatin1Char('#') + QString::number(k) +
                                 QStringLiteral(" (%1/%2) ").arg(j + 1).arg(n) + p.date +
                                 QLatin1Char(' ') + p.time + QStringLiteral(" Intv. ") +
                                 FormatNumber(km, u"0.000") + QStringLiteral("km ") +
                                 FormatNumber(SpeedKmh(km, secs), u"0") + QStringLiteral("km/hr");
            Figure(QStringLiteral("point"), kGidTrackPoint, KelPos(p), str, info);
        }
        ++result_.tracks;
        result_.trackPoints += int(n);
    }

    const WptOptions& options_;
    const Datum scriptDatum_;
    DatumShift shift_;
    WptConversion result_;
    int oid_ = 0;
    int trackNumber_ = 0;
};

}  // namespace

std::vector<std::pair<size_t, size_t>> SplitRanges(size_t n, size_t max) {
    std::vector<std::pair<size_t, size_t>> ranges;
    if (n == 0 || max < 2) return ranges;
    size_t first = 0;
    while (true) {
        const size_t last = std::min(n - 1, first + max - 1);
        ranges.emplace_back(first, last);
        if (last == n - 1) break;
        first = last;
    }
    return ranges;
}

QString KelPosListText(const std::vector<double>& lat_deg, const std::vector<double>& lon_deg,
                       size_t first, size_t last, const QString& arrow) {
    QString pos = arrow;
    pos.reserve(qsizetype((last - first + 1) * 26 + 4));
    for (size_t i = first; i <= last; ++i) {
        if (i > first) {
            pos += QLatin1Char(',');
            if ((i - first) % 5 == 0) pos += QLatin1String("\r\n");
        }
        pos += KelCoordText(lat_deg[i]) + QLatin1Char(',') + KelCoordText(lon_deg[i]);
    }
    return pos;
}

WptConversion ConvertWptRecordsToKel(WptRecords read, const WptOptions& options,
                                     const Datum& scriptDatum) {
    return Importer(options, scriptDatum).Run(read);
}

WptConversion ConvertWptToKel(LineSource& wpt, const WptOptions& options, const Datum& scriptDatum) {
    return ConvertWptRecordsToKel(ReadWptRecords(wpt), options, scriptDatum);
}

}  // namespace kel
