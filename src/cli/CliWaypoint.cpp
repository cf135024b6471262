// kel wpt-export / wpt-import / track-route / track-log / track-2drms: the Waypoint+
// interchange and the track-log utilities.
#include <QDateTime>
#include <memory>

#include "cli/Cli.h"
#include "exchange/Gpx.h"
#include "geo/PosList.h"
#include "platform/Clock.h"
#include "waypoint/KelWpt.h"
#include "waypoint/TrackLog.h"
#include "waypoint/WptOptions.h"

namespace kel::cli {

namespace {

// Options of the subcommands, each with a value except --append.
struct Parsed {
    QStringList positional;
    WptOptions options;
    std::unique_ptr<Clock> clock = std::make_unique<SystemClock>();
    bool append = false;
};

Parsed ParseArgs(const QStringList& args, const QStringList& allowed, int count,
                 const QString& usage) {
    Parsed p;
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString arg = args[i];
        if (!arg.startsWith(QLatin1String("--")) || arg == QLatin1String("--")) {
            p.positional.append(arg);
            continue;
        }
        QString value;
        bool hasValue = false;
        const qsizetype eq = arg.indexOf(QLatin1Char('='));
        if (eq > 0) {
            value = arg.mid(eq + 1);
            arg = arg.left(eq);
            hasValue = true;
        }
        if (!allowed.contains(arg))
            throw CliError{QStringLiteral("unknown option %1 (usage: kel %2)").arg(arg, usage), 2};
        if (arg == QLatin1String("--append")) {
            if (hasValue) throw CliError{QStringLiteral("--append takes no value"), 2};
            p.append = true;
            continue;
        }
        if (!hasValue) {
            if (i + 1 >= args.size()) throw CliError{arg + QStringLiteral(" needs a value"), 2};
            value = args[++i];
        }
        if (arg == QLatin1String("--utc-offset")) {
            p.options.utcOffset = IntArg(value, arg);
        } else if (arg == QLatin1String("--origin")) {
            p.options.originName = value;
        } else if (arg == QLatin1String("--destination")) {
            p.options.destinationName = value;
        } else if (arg == QLatin1String("--rp-numbering")) {
            if (value.compare(QLatin1String("up"), Qt::CaseInsensitive) == 0) {
                p.options.rpNumbering = WptOptions::kUp;
            } else if (value.compare(QLatin1String("down"), Qt::CaseInsensitive) == 0) {
                p.options.rpNumbering = WptOptions::kDown;
            } else {
                throw CliError{QStringLiteral("--rp-numbering must be up or down: ") + value, 2};
            }
        } else if (arg == QLatin1String("--step")) {
            p.options.trackLogStep = IntArg(value, arg);
        } else if (arg == QLatin1String("--now")) {
            const QDateTime now = QDateTime::fromString(value, Qt::ISODate);
            if (!now.isValid())
                throw CliError{QStringLiteral("--now must be a date and time like 2000-06-21T10:22:00: ") + value, 2};
            p.clock = std::make_unique<FixedClock>(now);
        }
    }
    if (p.positional.size() != count) throw CliError{QStringLiteral("usage: kel ") + usage, 2};
    return p;
}

// The first few notes, each on one printable line, then how many more there were: a file
// that is not text at all must not flood the terminal.
constexpr int kNotesShown = 5;
constexpr int kNoteWidth = 100;

void PrintWaypointNotes(const QString& command, const QStringList& notes, CliIO& io, int total = -1) {
    if (total < notes.size()) total = int(notes.size());
    for (qsizetype k = 0; k < notes.size() && k < kNotesShown; ++k) {
        QString n = notes[k];
        for (QChar& c : n)
            if (c.category() == QChar::Other_Control || c == QChar::ReplacementCharacter)
                c = QLatin1Char('?');
        if (n.size() > kNoteWidth) n = n.left(kNoteWidth) + QStringLiteral("...");
        io.err << "kel: " << command << ": " << n << '\n';
    }
    if (total > kNotesShown)
        io.err << "kel: " << command << ": ... and " << (total - kNotesShown) << " more\n";
}

int Convert(const QStringList& args, CliIO& io, const QString& mode) {
    const bool toWpt = mode == QLatin1String("WPT");
    const QString usage =
        toWpt ? QStringLiteral("wpt-export KEL TXT [--utc-offset H] [--origin NAME] "
                               "[--destination NAME] [--rp-numbering up|down] [--now TIME]")
              : QStringLiteral("wpt-import TXT KEL [--step N]");
    const QStringList allowed =
        toWpt ? QStringList{QStringLiteral("--utc-offset"), QStringLiteral("--origin"),
                            QStringLiteral("--destination"), QStringLiteral("--rp-numbering"),
                            QStringLiteral("--now")}
              : QStringList{QStringLiteral("--step")};
    const Parsed p = ParseArgs(args, allowed, 2, usage);
    const WptConversion r =
        ConvertKelWpt(p.positional[0], p.positional[1], mode, p.options, *p.clock);
    const QString name = toWpt ? QStringLiteral("wpt-export") : QStringLiteral("wpt-import");
    // A failed import still lists what it skipped: that is why nothing could be read.
    if (!r.ok && toWpt) throw CliError{r.error};
    PrintWaypointNotes(name, r.notes, io, toWpt ? -1 : r.skippedMalformed + r.skippedUnsupported);
    if (!r.ok) throw CliError{r.error};
    io.out << r.Summary() << '\n';
    return 0;
}

int ConvertGpx(const QStringList& args, CliIO& io, const QString& mode) {
    const bool toGpx = mode == QLatin1String("GPX");
    const QString usage =
        toGpx ? QStringLiteral("gpx-export KEL GPX [--utc-offset H] [--origin NAME] "
                               "[--destination NAME] [--rp-numbering up|down]")
              : QStringLiteral("gpx-import GPX KEL [--step N] [--utc-offset H]");
    const QStringList allowed =
        toGpx ? QStringList{QStringLiteral("--utc-offset"), QStringLiteral("--origin"),
                            QStringLiteral("--destination"), QStringLiteral("--rp-numbering")}
              : QStringList{QStringLiteral("--step"), QStringLiteral("--utc-offset")};
    const Parsed p = ParseArgs(args, allowed, 2, usage);
    const WptConversion r = ConvertKelGpx(p.positional[0], p.positional[1], mode, p.options);
    if (!r.ok) throw CliError{r.error};
    PrintWaypointNotes(toGpx ? QStringLiteral("gpx-export") : QStringLiteral("gpx-import"), r.notes, io);
    io.out << r.Summary() << '\n';
    return 0;
}

int TrackRoute(const QStringList& args, CliIO& io) {
    const Parsed p = ParseArgs(args, {}, 1, QStringLiteral("track-route TXT"));
    const TrackLogResult r = ConvertTrackLog(QStringLiteral("WptTP"), p.positional[0], *p.clock);
    PrintWaypointNotes(QStringLiteral("track-route"), r.notes, io);
    if (!r.ok) throw CliError{r.error};
    for (const QString& path : r.written) io.out << path << '\n';
    return 0;
}

int TrackLog(const QStringList& args, CliIO& io) {
    const Parsed p = ParseArgs(args, {QStringLiteral("--now")}, 1,
                               QStringLiteral("track-log FILE [--now TIME]"));
    const TrackLogResult r =
        ConvertTrackLog(QStringLiteral("WptPAlog"), p.positional[0], *p.clock);
    PrintWaypointNotes(QStringLiteral("track-log"), r.notes, io);
    if (!r.ok) throw CliError{r.error};
    for (const QString& path : r.written) io.out << path << '\n';
    return 0;
}

int TrackDrmsCmd(const QStringList& args, CliIO& io) {
    const Parsed p = ParseArgs(args, {QStringLiteral("--append")}, 1,
                               QStringLiteral("track-2drms TXT [--append]"));
    const QString path = p.positional[0];
    const TrackDrms d = TrackLog2DRMSFile(path);
    if (!d.error.isEmpty()) throw CliError{d.error};
    if (!d.found) throw CliError{path + QStringLiteral(": no track points (TP records) found")};
    if (d.text.isEmpty()) throw CliError{path + QStringLiteral(": the 2DRMS cannot be computed")};
    io.out << d.text << '\n';
    QString error;
    if (p.append && !AppendDrmsLine(path, d.text, &error))
        throw CliError{path + QStringLiteral(": ") + error};
    return 0;
}

}  // namespace

void AddWaypointCommands(CliTable& table) {
    table.push_back({QStringLiteral("wpt-export"),
                     QStringLiteral("KEL TXT [--utc-offset H] [--origin NAME] [--destination NAME] "
                                    "[--rp-numbering up|down] [--now TIME]"),
                     QStringLiteral("write the [WP] points, [RT] routes and [TR] tracks of a "
                                    "script as a Waypoint+ text file"),
                     [](const QStringList& a, CliIO& io) { return Convert(a, io, QStringLiteral("WPT")); }});
    table.push_back({QStringLiteral("wpt-import"), QStringLiteral("TXT KEL [--step N]"),
                     QStringLiteral("write a Waypoint+ text file as a complete script"),
                     [](const QStringList& a, CliIO& io) { return Convert(a, io, QStringLiteral("KEL")); }});
    table.push_back({QStringLiteral("gpx-export"),
                     QStringLiteral("KEL GPX [--utc-offset H] [--origin NAME] [--destination NAME] "
                                    "[--rp-numbering up|down]"),
                     QStringLiteral("write the [WP] points, [RT] routes and [TR] tracks of a "
                                    "script as GPX 1.1 (WGS84)"),
                     [](const QStringList& a, CliIO& io) { return ConvertGpx(a, io, QStringLiteral("GPX")); }});
    table.push_back({QStringLiteral("gpx-import"), QStringLiteral("GPX KEL [--step N] [--utc-offset H]"),
                     QStringLiteral("write a GPX file as a complete script (Tokyo datum), as "
                                    "wpt-import does"),
                     [](const QStringList& a, CliIO& io) { return ConvertGpx(a, io, QStringLiteral("KEL")); }});
    table.push_back({QStringLiteral("track-route"), QStringLiteral("TXT"),
                     QStringLiteral("write each track of TXT as a route with travel information "
                                    "to TXT's name with (Info).TXT"),
                     TrackRoute});
    table.push_back({QStringLiteral("track-log"), QStringLiteral("FILE [--now TIME]"),
                     QStringLiteral("write each track of a Waypoint+ or KEL file as a ProAtlas "
                                    "track-log file NAME-<n>.LOG"),
                     TrackLog});
    table.push_back({QStringLiteral("track-2drms"), QStringLiteral("TXT [--append]"),
                     QStringLiteral("the 2DRMS of the track points of TXT (--append adds it to "
                                    "the file as a # line)"),
                     TrackDrmsCmd});
}

}  // namespace kel::cli
