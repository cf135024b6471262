// Helpers of the waypoint tests: commands built by the writer, conversions in memory at a
// fixed time, and the figures of a script as the interchange sees them.
#pragma once

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

inline QString Built(const QString& word, const QStringList& values) {
    Slots s;
    for (int i = 0; i < values.size(); ++i) s[i + 1] = values[i];
    return BuildStatement(word, s).text;
}
inline QString Point(const QString& pos, const QString& str, const QString& info) {
    return Built(QStringLiteral("point"), {"1", "", pos, str, "", "", "", info});
}
inline QString Line(const QString& pos, const QString& str, const QString& info) {
    return Built(QStringLiteral("line"), {"1", "", pos, str, "", "", "", info});
}

inline WptConversion Export(const QStringList& commands, const WptOptions& o = WptOptions()) {
    return ConvertCommandsToWpt(commands, o, FixedClock(FixedNow()));
}
inline WptConversion Import(const QStringList& lines, const WptOptions& o = WptOptions()) {
    LineSource source(lines);
    return ConvertWptToKel(source, o);
}
inline WptConversion ConvertFile(const QString& dataPath, const WptOptions& o = WptOptions()) {
    return Import(ReadTextFile(DataPath(dataPath)).lines, o);
}
inline WptRecord ReadLine(const QString& line) {
    LineSource source(QStringList{line});
    return ReadWptRecord(source);
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

// Route point i: one second of longitude east of the one before.
inline QString RoutePoint(int i) {
    return QStringLiteral("RP,DMS,P%1, 35.000000, 139.%2%3,06/21/2000,10:00:00,")
        .arg(i)
        .arg(i / 60, 2, 10, QLatin1Char('0'))
        .arg(i % 60 * 100, 4, 10, QLatin1Char('0'));
}

// A figure the interchange carries: its mark, label, info and positions ("D" texts).
struct Figure {
    QString kind;
    QString str;
    QString info;
    QStringList lat, lon;
};

inline QList<Figure> Figures(const QStringList& commands) {
    QList<Figure> out;
    for (const QString& text : commands) {
        Slots s;
        const QString word = ParseStatement(text, s);
        const QString kind = s[4].left(4);
        const bool wp = word == QLatin1String("point") && kind == QLatin1String("[WP]");
        const bool rt = word == QLatin1String("line") &&
                        (kind == QLatin1String("[RT]") || kind == QLatin1String("[TR]"));
        if (!wp && !rt) continue;
        const PosTexts pos = ParsePosList(s[3]);
        if (pos.count() == 0) continue;
        out.append(Figure{kind, s[4], s[8], pos.lat, pos.lon});
    }
    return out;
}

}  // namespace kel::test
