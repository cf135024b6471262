// Helpers of the waypoint tests: commands built by the writer, conversions in memory at a
// fixed time, and the figures of a script as the interchange sees them.
#pragma once

#include <QFile>
#include <QStringList>

#include "TestMain.h"
#include "common/Values.h"
#include "geo/PosList.h"
#include "platform/Clock.h"
#include "script/Statement.h"
#include "script/StatementWriter.h"
#include "waypoint/KelWpt.h"
#include "waypoint/WptRecord.h"

namespace kel::test {

inline QDateTime FixedNow() { return QDateTime(QDate(2000, 6, 21), QTime(12, 0, 0)); }

// A figure command as the writer builds it: oid 1, position, label and info.
inline QString Figure(const char* word, const QString& pos, const QString& str, const QString& info) {
    Slots s;
    s[1] = QStringLiteral("1"), s[3] = pos, s[4] = str, s[8] = info;
    return BuildStatement(QLatin1String(word), s).text;
}
inline QString Point(const QString& pos, const QString& str, const QString& info) { return Figure("point", pos, str, info); }
inline QString Line(const QString& pos, const QString& str, const QString& info) { return Figure("line", pos, str, info); }
inline Slots SlotsOf(const QString& text) {
    Slots s;
    ParseStatement(text, s);
    return s;
}

inline WptConversion Export(const QStringList& commands, const WptOptions& o = WptOptions()) {
    return ConvertCommandsToWpt(commands, o, FixedClock(FixedNow()));
}
inline WptConversion Import(const QStringList& lines, const WptOptions& o = WptOptions()) {
    LineSource source(lines);
    return ConvertWptToKel(source, o);
}
// What a conversion carried and passed over: waypoints, routes, tracks, malformed and
// unsupported records.
inline QList<int> Counts(const WptConversion& r) {
    return {r.waypoints, r.routes, r.tracks, r.skippedMalformed, r.skippedUnsupported};
}
inline WptRecord ReadLine(const QString& line) {
    LineSource source(QStringList{line});
    return ReadWptRecord(source);
}

// A copy of a waypoint data file in `dir` that the test may change.
inline QString CopyData(const QString& dir, const QString& name) {
    const QString path = dir + QLatin1Char('/') + name;
    QFile::copy(DataPath(QStringLiteral("waypoint/") + name), path);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return path;
}

// A "KEL" coordinate of a value on the tenth-second grid, written here independently of the
// code under test: whole degree by the floor, then minutes and seconds.
inline QString KelCoordOf(double deg) {
    const qint64 tenths = qRound64(deg * 36000);
    qint64 whole = tenths / 36000, rest = tenths % 36000;
    if (rest < 0) {
        rest += 36000;
        --whole;
    }
    return QStringLiteral("%1/%2/%3.%4")
        .arg(whole)
        .arg(rest / 600, 2, 10, QLatin1Char('0'))
        .arg(rest % 600 / 10, 2, 10, QLatin1Char('0'))
        .arg(rest % 10);
}

// n positions one second of longitude apart.
inline QString PosOfRun(int n) {
    QStringList parts;
    for (int i = 0; i < n; ++i) parts << QStringLiteral("35/00/00.0,") + KelCoordOf(139 + i / 3600.0);
    return parts.join(QLatin1Char(','));
}

// The figures the interchange carries, one text each: the mark and positions ("D" texts),
// and the label and info of a waypoint (its first position only) and the label of a route.
inline QStringList CarriedFigures(const QStringList& commands) {
    QStringList out;
    for (const QString& text : commands) {
        const Slots s = SlotsOf(text);
        const QString word = CommandWord(text), kind = s[4].left(4);
        const bool wp = word == QLatin1String("point") && kind == QLatin1String("[WP]");
        const bool rt = word == QLatin1String("line") &&
                        (kind == QLatin1String("[RT]") || kind == QLatin1String("[TR]"));
        const PosTexts pos = ParsePosList(s[3]);
        if ((!wp && !rt) || pos.count() == 0) continue;
        QString t = kind;
        for (int i = 0; i < (wp ? 1 : pos.count()); ++i) t += ' ' + pos.lat[i] + ',' + pos.lon[i];
        if (wp) t += '|' + s[4].trimmed() + '|' + s[8];
        if (kind == QLatin1String("[RT]")) t += '|' + s[4];
        out << t;
    }
    return out;
}

}  // namespace kel::test
