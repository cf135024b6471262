// KEL -> Waypoint+: figures marked [WP], [RT] and [TR] become waypoint, route and track
// records.
#include <array>

#include "common/Values.h"
#include "geo/PosList.h"
#include "script/Statement.h"
#include "waypoint/GpsExport.h"
#include "waypoint/KelWpt.h"
#include "waypoint/WptCoord.h"
#include "waypoint/WptRecord.h"
#include "waypoint/WptStamp.h"

namespace kel {

namespace {

using Fields = std::array<QString, 7>;

const QString kDms = QStringLiteral("DMS");

QString TrimRightBlanks(const QString& s) {
    qsizetype end = s.size();
    while (end > 0 && (s[end - 1] == QLatin1Char(' ') || s[end - 1] == QLatin1Char('\t'))) --end;
    return s.left(end);
}

class Walker {
public:
    Walker(const Datum& fileDatum, const WptOptions& options, GpsExportSink& sink,
           WptConversion& result)
        : fileDatum_(fileDatum), options_(options), sink_(sink), result_(result) {}

    void Run(LineSource& kel) {
        const Datum scriptDatum = DatumOfScript(kel);
        shift_ = DatumShift(scriptDatum, fileDatum_);
        if (!scriptDatum.known())
            result_.notes.append(QStringLiteral("the script's datum \"%1\" is not known; "
                                                "positions are written unconverted")
                                     .arg(scriptDatum.name));
        if (!scriptDatum.known()) result_.unknownDatum = scriptDatum.name;
        while (!kel.AtEnd()) {
            const QString text = ReadStatement(kel);
            if (text.isEmpty()) continue;
            line_ = kel.LineNumber();
            const QString word = CommandWord(text);
            if (word != QLatin1String("point") && word != QLatin1String("line")) continue;
            Slots slots;
            ParseStatement(text, slots);
            if (word == QLatin1String("point") && slots[4].startsWith(kMarkWaypoint)) {
                Waypoint(slots);
            } else if (word == QLatin1String("line") && slots[4].startsWith(kMarkRoute)) {
                Route(slots);
            } else if (word == QLatin1String("line") && slots[4].startsWith(kMarkTrack)) {
                Track(slots);
            }
        }
    }

private:
    void Note(const QString& what) {
        if (result_.notes.size() < 100)
            result_.notes.append(QStringLiteral("statement ending at line %1: %2").arg(line_).arg(what));
    }

    // The positions of a figure in the file's datum; empty (and counted) when it has none.
    std::vector<GpsFix> Positions(const Slots& slots, const QString& what) {
        const PosDegrees pos = ParsePosDegrees(slots[3]);
        if (pos.count() == 0) {
            ++result_.skippedMalformed;
            Note(what + QStringLiteral(" has no position; not exported"));
        } else if (pos.truncated) {
            ++result_.truncatedFigures;
            Note(what + QStringLiteral(" holds more than %1 positions; the rest are not exported")
                            .arg(kMaxPositions));
        }
        std::vector<GpsFix> out(size_t(pos.count()));
        for (size_t i = 0; i < out.size(); ++i) {
            out[i] = {pos.lat[i], pos.lon[i]};
            shift_.Apply(out[i].lat_deg, out[i].lon_deg);
        }
        return out;
    }

    void Waypoint(const Slots& s) {
        const QString name = TrimRightBlanks(s[4].mid(kMarkWaypoint.size()));
        const std::vector<GpsFix> pos = Positions(s, QStringLiteral("waypoint \"%1\"").arg(name.trimmed()));
        if (pos.empty()) return;
        sink_.Waypoint(name, pos[0], s[8]);
        ++result_.waypoints;
    }

    void Route(const Slots& s) {
        const QString name = TrimBlanks(s[4].mid(kMarkRoute.size()));
        const std::vector<GpsFix> pos = Positions(s, QStringLiteral("route \"%1\"").arg(name));
        if (pos.empty()) return;
        ++routeCounter_;
        const int n = int(pos.size());
        const QString prefix = name.left(3);
        std::vector<GpsRoutePoint> points(pos.size());
        for (int i = 1; i <= n; ++i) {
            const int number = options_.rpNumbering == WptOptions::kDown ? n + 1 - i : i;
            QString pointName = prefix + QString::number(number);
            if (i == n && !options_.destinationName.isEmpty()) pointName = options_.destinationName;
            if (i == 1 && !options_.originName.isEmpty()) pointName = options_.originName;
            points[size_t(i - 1)] = {pointName, pos[size_t(i - 1)]};
        }
        sink_.Route(routeCounter_, name, points, s[8]);
        ++result_.routes;
        result_.routePoints += n;
    }

    void Track(const Slots& s) {
        const std::vector<GpsFix> pos = Positions(s, QStringLiteral("track \"%1\"").arg(s[4]));
        if (pos.empty()) return;
        sink_.Track(TrimBlanks(s[4].mid(kMarkTrack.size())), pos);
        ++result_.tracks;
        result_.trackPoints += int(pos.size());
    }

    const Datum fileDatum_;
    const WptOptions& options_;
    GpsExportSink& sink_;
    WptConversion& result_;
    DatumShift shift_;
    int routeCounter_ = 0;
    qsizetype line_ = 0;
};

// Waypoint+ lines: the datum line, then the records in script order, dated by a creation
// stamp in the comment or else by the clock.
class WptSink : public GpsExportSink {
public:
    WptSink(QStringList& lines, const WptOptions& options, const Clock& clock)
        : lines_(lines), options_(options) {
        const QDateTime now = clock.Now();
        nowDate_ = WptDateText(now.date());
        nowTime_ = WptTimeText(now.time());
        lines_.append(FormatWptRecord(wpt::kDatum, Fields{kWptDatumText}));
    }

    void Waypoint(const QString& name, const GpsFix& at, const QString& comment) override {
        Fields f{kDms, FormatText(name, u"@@@@@@!"), DmsCoordText(at.lat_deg), DmsCoordText(at.lon_deg)};
        DateTimeOf(comment, f[4], f[5]);
        f[6] = comment;
        lines_.append(FormatWptRecord(wpt::kWaypoint, f));
    }

    void Route(int number, const QString& name, const std::vector<GpsRoutePoint>& points,
               const QString& comment) override {
        lines_.append(FormatWptRecord(wpt::kRouteHeader,
                                      Fields{QString::number(number), name + QLatin1Char(' ')}));
        Fields f{kDms};
        DateTimeOf(comment, f[4], f[5]);
        f[6] = comment;
        for (const GpsRoutePoint& p : points) {
            f[1] = p.name;
            f[2] = DmsCoordText(p.at.lat_deg);
            f[3] = DmsCoordText(p.at.lon_deg);
            lines_.append(FormatWptRecord(wpt::kRoutePoint, f));
        }
    }

    void Track(const QString&, const std::vector<GpsFix>& points) override {
        for (size_t i = 0; i < points.size(); ++i) {
            const Fields f{kDms, DmsCoordText(points[i].lat_deg), DmsCoordText(points[i].lon_deg),
                           nowDate_, nowTime_, i == 0 ? QStringLiteral("1") : QStringLiteral("0")};
            lines_.append(FormatWptRecord(wpt::kTrackPoint, f));
        }
    }

private:
    // Date and time from a creation stamp in the comment, otherwise now.
    void DateTimeOf(const QString& comment, QString& date, QString& time) const {
        date = nowDate_;
        time = nowTime_;
        if (comment.contains(QLatin1String("CRTD")))
            ParseStamp(ExtractStamp(comment), date, time, options_.utcOffset);
    }

    QStringList& lines_;
    const WptOptions& options_;
    QString nowDate_, nowTime_;
};

}  // namespace

void WalkGpsFigures(LineSource& kel, const Datum& fileDatum, const WptOptions& options,
                    GpsExportSink& sink, WptConversion& result) {
    Walker(fileDatum, options, sink, result).Run(kel);
}

WptConversion ConvertKelToWpt(LineSource& kel, const WptOptions& options, const Clock& clock) {
    WptConversion result;
    WptSink sink(result.lines, options, clock);
    // The file's datum line names the Tokyo datum.
    WalkGpsFigures(kel, Datum::Tokyo(), options, sink, result);
    return result;
}

}  // namespace kel
