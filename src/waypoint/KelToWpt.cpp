// KEL -> Waypoint+: figures marked [WP], [RT] and [TR] become waypoint, route and track
// records.
#include <array>

#include "common/Values.h"
#include "geo/Coordinates.h"
#include "geo/PosList.h"
#include "script/Statement.h"
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

class Exporter {
public:
    Exporter(const WptOptions& options, const Clock& clock) : options_(options) {
        const QDateTime now = clock.Now();
        nowDate_ = WptDateText(now.date());
        nowTime_ = WptTimeText(now.time());
    }

    WptConversion Run(LineSource& kel) {
        result_.lines.append(FormatWptRecord(wpt::kDatum, Fields{kWptDatumText}));
        while (!kel.AtEnd()) {
            const QString text = ReadStatement(kel);
            if (text.isEmpty()) continue;
            line_ = kel.LineNumber();
            Slots slots;
            const QString word = ParseStatement(text, slots);
            if (word == QLatin1String("point") && slots[4].startsWith(kMarkWaypoint)) {
                Waypoint(slots);
            } else if (word == QLatin1String("line") && slots[4].startsWith(kMarkRoute)) {
                Route(slots);
            } else if (word == QLatin1String("line") && slots[4].startsWith(kMarkTrack)) {
                Track(slots);
            }
        }
        return std::move(result_);
    }

private:
    void Note(const QString& what) {
        if (result_.notes.size() < 100)
            result_.notes.append(QStringLiteral("statement ending at line %1: %2").arg(line_).arg(what));
    }

    // The positions of a figure; empty (and counted) when it has none.
    PosDegrees Positions(const Slots& slots, const QString& what) {
        PosDegrees pos = ParsePosDegrees(slots[3]);
        if (pos.count() == 0) {
            ++result_.skippedMalformed;
            Note(what + QStringLiteral(" has no position; not exported"));
        } else if (pos.truncated) {
            ++result_.truncatedFigures;
            Note(what + QStringLiteral(" holds more than %1 positions; the rest are not exported")
                            .arg(kMaxPositions));
        }
        return pos;
    }

    // Date and time from a creation stamp in the comment, otherwise now.
    void DateTimeOf(const QString& comment, QString& date, QString& time) const {
        date = nowDate_;
        time = nowTime_;
        if (comment.contains(QLatin1String("CRTD")))
            ParseStamp(ExtractStamp(comment), date, time, options_.utcOffset);
    }

    void Waypoint(const Slots& s) {
        const QString name = FormatText(TrimRightBlanks(s[4].mid(kMarkWaypoint.size())), u"@@@@@@!");
        const PosDegrees pos = Positions(s, QStringLiteral("waypoint \"%1\"").arg(name.trimmed()));
        if (pos.count() == 0) return;
        Fields f{kDms, name, DmsCoordText(pos.lat[size_t(0)]), DmsCoordText(pos.lon[size_t(0)])};
        DateTimeOf(s[8], f[4], f[5]);
        f[6] = s[8];
        result_.lines.append(FormatWptRecord(wpt::kWaypoint, f));
        ++result_.waypoints;
    }

    void Route(const Slots& s) {
        const QString name = TrimBlanks(s[4].mid(kMarkRoute.size()));
        const PosDegrees pos = Positions(s, QStringLiteral("route \"%1\"").arg(name));
        if (pos.count() == 0) return;
        ++routeCounter_;
        result_.lines.append(FormatWptRecord(
            wpt::kRouteHeader, Fields{QString::number(routeCounter_), name + QLatin1Char(' ')}));
        Fields f{kDms};
        DateTimeOf(s[8], f[4], f[5]);
        f[6] = s[8];
        const int n = pos.count();
        const QString prefix = name.left(3);
        for (int i = 1; i <= n; ++i) {
            const int number = options_.rpNumbering == WptOptions::kDown ? n + 1 - i : i;
            QString pointName = prefix + QString::number(number);
            if (i == n && !options_.destinationName.isEmpty()) pointName = options_.destinationName;
            if (i == 1 && !options_.originName.isEmpty()) pointName = options_.originName;
            f[1] = pointName;
            f[2] = DmsCoordText(pos.lat[size_t(i - 1)]);
            f[3] = DmsCoordText(pos.lon[size_t(i - 1)]);
            result_.lines.append(FormatWptRecord(wpt::kRoutePoint, f));
        }
        ++result_.routes;
        result_.routePoints += n;
    }

    void Track(const Slots& s) {
        const PosDegrees pos = Positions(s, QStringLiteral("track \"%1\"").arg(s[4]));
        const int n = pos.count();
        for (int i = 0; i < n; ++i) {
            const Fields f{kDms, DmsCoordText(pos.lat[size_t(i)]), DmsCoordText(pos.lon[size_t(i)]), nowDate_, nowTime_,
                           i == 0 ? QStringLiteral("1") : QStringLiteral("0")};
            result_.lines.append(FormatWptRecord(wpt::kTrackPoint, f));
        }
        if (n > 0) ++result_.tracks;
        result_.trackPoints += n;
    }

    const WptOptions& options_;
    QString nowDate_, nowTime_;
    WptConversion result_;
    int routeCounter_ = 0;
    qsizetype line_ = 0;
};

}  // namespace

WptConversion ConvertKelToWpt(LineSource& kel, const WptOptions& options, const Clock& clock) {
    return Exporter(options, clock).Run(kel);
}

}  // namespace kel
