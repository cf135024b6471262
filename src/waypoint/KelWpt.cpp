#include "waypoint/KelWpt.h"

#include "script/StatementWriter.h"

namespace kel {

namespace {

struct GroupRow {
    const char* gname;
    const char* gid;
    const char* textrgb;
    const char* linergb;
    const char* textstyle;
    const char* pointstyle;
    const char* size;   // iconsize
    const char* width;  // linewidth and bodrwidth
};

// The groups an import writes, one per kind of Waypoint+ data, in this order. Area and
// border colours are blue, line, area and border styles "line#0", "hatch#3", "line#0" in all.
constexpr GroupRow kGroups[] = {
    {"Waypoint", "5131", "0,255,0", "0,0,255", "frame#2", "mark#13024", "16", "1"},
    {"Route", "5132", "255,0,0", "255,0,0", "frame#2", "none", "32", "2"},
    {"RoutePoint", "5133", "255,0,0", "0,0,255", "plain", "mark#93050", "16", "1"},
    {"RoutePointOrigin", "5133.1", "255,0,0", "0,0,255", "plain", "mark#14010", "16", "1"},
    {"RoutePointDestination", "5133.2", "255,0,0", "0,0,255", "plain", "mark#14131", "16", "1"},
    {"TrackLog", "5134", "0,0,255", "0,0,255", "frame#2", "none", "32", "2"},
    {"TrackPoint", "5135", "0,0,255", "0,0,255", "plain", "mark#92000", "16", "1"},
};

QString Built(const QString& word, Slots& slots) { return BuildStatement(word, slots).text; }

void Count(QStringList& parts, int n, const char* one, const char* many) {
    if (n > 0) parts.append(QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many)));
}

}  // namespace

QStringList WptImportHeader() {
    QStringList out;
    Slots s;
    s[1] = kProgramVersion;
    s[2] = kTemplateVersion;
    out.append(Built(QStringLiteral("hedder"), s));
    s.Clear();
    s[1] = QStringLiteral("1.0");
    out.append(Built(QStringLiteral("mapserver"), s));
    s.Clear();
    out.append(Built(QStringLiteral("message"), s));
    s.Clear();
    out.append(Built(QStringLiteral("theme"), s));
    for (const GroupRow& g : kGroups) {
        s.Clear();
        s[1] = QLatin1String(g.gid);
        s[2] = QLatin1String(g.gname);
        s[3] = QLatin1String(g.textrgb);
        s[4] = QLatin1String(g.linergb);
        s[5] = QStringLiteral("0,0,255");
        s[6] = QStringLiteral("0,0,255");
        s[7] = QLatin1String(g.textstyle);
        s[8] = QStringLiteral("line#0");
        s[9] = QStringLiteral("hatch#3");
        s[10] = QLatin1String(g.pointstyle);
        s[11] = QStringLiteral("line#0");
        s[12] = QLatin1String(g.size);
        s[13] = QLatin1String(g.width);
        s[14] = QLatin1String(g.width);
        out.append(Built(QStringLiteral("group"), s));
    }
    return out;
}

QString WptConversion::Summary() const {
    if (!ok) return error;
    QStringList parts;
    Count(parts, waypoints, "waypoint", "waypoints");
    if (routes > 0)
        parts.append(QStringLiteral("%1 %2 (%3 points)")
                         .arg(routes)
                         .arg(QLatin1String(routes == 1 ? "route" : "routes"))
                         .arg(routePoints));
    if (tracks > 0)
        parts.append(QStringLiteral("%1 %2 (%3 points)")
                         .arg(tracks)
                         .arg(QLatin1String(tracks == 1 ? "track" : "tracks"))
                         .arg(trackPoints));
    QString text = parts.isEmpty() ? QStringLiteral("nothing converted")
                                   : QStringLiteral("converted ") + parts.join(QStringLiteral(", "));
    QStringList more;
    Count(more, splitFigures, "extra figure for a long route or track",
          "extra figures for long routes and tracks");
    Count(more, skippedMalformed, "malformed record skipped", "malformed records skipped");
    Count(more, skippedUnsupported, "record of an unsupported type skipped",
          "records of unsupported types skipped");
    Count(more, truncatedFigures, "figure with too many positions cut short",
          "figures with too many positions cut short");
    Count(more, changedValues, "value changed to fit a script", "values changed to fit a script");
    if (!unknownDatum.isEmpty())
        more.append(QStringLiteral("datum \"%1\" is not known: positions taken unconverted")
                        .arg(unknownDatum));
    if (!datumShift.isEmpty()) more.append(QStringLiteral("positions shifted ") + datumShift);
    if (!more.isEmpty()) text += QStringLiteral("; ") + more.join(QStringLiteral(", "));
    return text;
}

WptConversion ConvertCommandsToWpt(const QStringList& commandTexts, const WptOptions& options,
                                   const Clock& clock) {
    LineSource lines(SplitLines(commandTexts.join(QStringLiteral("\r\n"))));
    return ConvertKelToWpt(lines, options, clock);
}

WptConversion ConvertKelWpt(const QString& source, const QString& target, const QString& mode,
                            const WptOptions& options, const Clock& clock) {
    WptConversion result;
    const QString m = mode.toUpper();
    if (m != QLatin1String("WPT") && m != QLatin1String("KEL")) {
        result.ok = false;
        result.error = QStringLiteral("unknown conversion mode \"%1\" (WPT or KEL)").arg(mode);
        return result;
    }
    const TextReadResult in = ReadTextFile(source);
    if (!in.ok) {
        result.ok = false;
        result.error = source + QStringLiteral(": ") + in.error;
        return result;
    }
    LineSource lines(in.lines);
    result = m == QLatin1String("WPT") ? ConvertKelToWpt(lines, options, clock)
                                       : ConvertWptToKel(lines, options);
    if (in.firstBadLine > 0)
        result.notes.prepend(QStringLiteral("%1: line %2 is not valid Shift-JIS")
                                 .arg(source)
                                 .arg(in.firstBadLine));
    // A file of which not one record could be read (not a Waypoint+ file at all) gives no
    // script: an empty one written over the target would only hide the mistake.
    const int skipped = result.skippedMalformed + result.skippedUnsupported;
    if (m == QLatin1String("KEL") && result.waypoints + result.routes + result.tracks == 0 &&
        skipped > 0) {
        result.ok = false;
        result.error = QStringLiteral("%1: not a Waypoint+ file: no record could be read (%2 %3 skipped)")
                           .arg(source)
                           .arg(skipped)
                           .arg(QLatin1String(skipped == 1 ? "line" : "lines"));
        return result;
    }
    const TextWriteResult out = WriteTextFile(target, result.lines);
    if (!out.ok) {
        result.ok = false;
        result.error = target + QStringLiteral(": ") + out.error;
    }
    return result;
}

}  // namespace kel
