#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cmath>

#include "TestMain.h"
#include "WptTestUtil.h"
#include "geo/Coordinates.h"
#include "geo/PosList.h"
#include "script/ScriptFile.h"
#include "script/Statement.h"
#include "script/StatementWriter.h"
#include "waypoint/KelWpt.h"
#include "waypoint/TempScript.h"
#include "waypoint/WptRecord.h"

using namespace kel;
using namespace kel::test;

class KelWptTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Figures and the Waypoint+ lines they export to (after the datum line).
    void exportFigures_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("lines");
        const QString now = QStringLiteral(",06/21/2000,12:00:00,");
        QTest::newRow("name padded to six")
            << Point("35/30/12.3,139/45/00.0", "[WP]AB", "")
            << QStringList{"WP,DMS,AB    , 35.301230, 139.450000" + now};
        QTest::newRow("not a waypoint") << Point("35/30/12.3,139/45/00.0", "AB [WP]", "x")
                                        << QStringList{};
        QTest::newRow("long name kept whole")
            << Point("35/30/12.3,139/45/00.0", "[WP]LONGNAME1", "")
            << QStringList{"WP,DMS,LONGNAME1, 35.301230, 139.450000" + now};
        QTest::newRow("marks and stamp")
            << Point("!35/30/00.0,139/45/00.0&", "[WP]X", "CRTD 10:22 21-JUN-00")
            << QStringList{"WP,DMS,X     , 35.300000, 139.450000,06/21/2000,19:22:00,CRTD 10:22 21-JUN-00"};
        QTest::newRow("whole minute is never 60 seconds")
            << Point("35/11/00.0,139/59/59.9", "[WP]M", "")
            << QStringList{"WP,DMS,M     , 35.110000, 139.595990" + now};
        QTest::newRow("south and west")
            << Point("-36/30/00.0,-71/00/00.0", "[WP]S", "")
            << QStringList{"WP,DMS,S     , -35.300000, -71.000000" + now};
        QTest::newRow("first position only")
            << Point("35/00/00.0,135/00/00.0,36/00/00.0,136/00/00.0", "[WP]P", "")
            << QStringList{"WP,DMS,P     , 35.000000, 135.000000" + now};
        QTest::newRow("area with the mark is not a waypoint")
            << Built("area", {"1", "", "35/00/00.0,135/00/00.0,35/01/00.0,135/01/00.0", "[WP]A"})
            << QStringList{};
        QTest::newRow("track")
            << Line("<>35/00/00.0,135/00/00.0,35/00/30.0,135/00/00.0", "[TR]#1", "")
            << QStringList{"TP,DMS, 35.000000, 135.000000,06/21/2000,12:00:00,1",
                           "TP,DMS, 35.003000, 135.000000,06/21/2000,12:00:00,0"};
        QTest::newRow("plain line") << Line("35/00/00.0,135/00/00.0,35/00/30.0,135/00/00.0", "RT", "")
                                    << QStringList{};
    }
    void exportFigures() {
        QFETCH(QString, command);
        QFETCH(QStringList, lines);
        const WptConversion r = Export({command});
        QCOMPARE(r.lines.value(0), FormatWptRecord(QStringLiteral("Datum"), {kWptDatumText}));
        QCOMPARE(r.lines.mid(1), lines);
        QCOMPARE(r.skippedMalformed, 0);
    }

    // Route point names by numbering and origin/destination options.
    void routeNames_data() {
        QTest::addColumn<int>("numbering");
        QTest::addColumn<QString>("origin");
        QTest::addColumn<QString>("destination");
        QTest::addColumn<int>("points");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("up, default names") << 1 << "STR" << "DST" << 3 << QStringList{"STR", "Kam2", "DST"};
        QTest::newRow("down, no names") << 2 << "" << "" << 3 << QStringList{"Kam3", "Kam2", "Kam1"};
        QTest::newRow("up, no names") << 1 << "" << "" << 3 << QStringList{"Kam1", "Kam2", "Kam3"};
        QTest::newRow("down, origin only") << 2 << "HOME" << "" << 3
                                           << QStringList{"HOME", "Kam2", "Kam1"};
        QTest::newRow("one point takes the origin") << 1 << "STR" << "DST" << 1 << QStringList{"STR"};
        QTest::newRow("numbers past 256") << 1 << "" << "" << 300 << QStringList{};
    }
    void routeNames() {
        QFETCH(int, numbering);
        QFETCH(QString, origin);
        QFETCH(QString, destination);
        QFETCH(int, points);
        QFETCH(QStringList, names);
        WptOptions o;
        o.rpNumbering = numbering;
        o.originName = origin;
        o.destinationName = destination;
        const WptConversion r = Export({Line(PosOfRun(points), "[RT] Kamakura walk ", "note")}, o);
        QCOMPARE(r.lines.value(1), QStringLiteral("RN,1,Kamakura walk "));
        QCOMPARE(r.lines.size(), 2 + points);
        QCOMPARE(r.routePoints, points);
        for (int i = 0; i < names.size(); ++i) {
            const WptRecord rp = ReadLine(r.lines[2 + i]);
            QCOMPARE(rp.type, QStringLiteral("RP"));
            QCOMPARE(rp.name(), names[i]);
            QCOMPARE(rp.comment(), QStringLiteral("note"));
        }
        if (points == 300) QCOMPARE(ReadLine(r.lines.last()).name(), QStringLiteral("Kam300"));
    }

    void routesAreNumberedInOrder() {
        const WptConversion r = Export({Line(PosOfRun(2), "[RT]A", ""), Line(PosOfRun(2), "[TR]x", ""),
                                        Line(PosOfRun(2), "[RT]B", "")});
        QCOMPARE(r.lines.filter(QStringLiteral("RN,")), (QStringList{"RN,1,A ", "RN,2,B "}));
    }

    void exportSkipsFiguresWithoutPositions() {
        const WptConversion r = Export({Point("", "[WP]NOPOS", ""), Line("", "[RT]R", "")});
        QCOMPARE(r.lines.size(), 1);
        QCOMPARE(r.skippedMalformed, 2);
        QCOMPARE(r.notes.size(), 2);
    }

    void emptyScriptExportsOnlyTheDatum() {
        const WptConversion r = Export({});
        QCOMPARE(r.lines.size(), 1);
        QCOMPARE(r.Summary(), QStringLiteral("nothing converted"));
    }

    void importWaypoint() {
        const QStringList out = Import({"WP,DMS,AB, 35.301234, 139.450000,06/21/2000,10:22:00,Lunch, CRTD 10:22 21-JUN-00"}).lines;
        Slots s;
        QCOMPARE(ParseStatement(out.value(11), s), QStringLiteral("point"));
        QCOMPARE(s[1], QStringLiteral("1"));
        QCOMPARE(s[2], QStringLiteral("5131"));
        QCOMPARE(s[3], QStringLiteral("35/30/12.3,139/45/00.0"));
        QCOMPARE(s[4], QStringLiteral("[WP]AB    "));
        QCOMPARE(s[5], QStringLiteral("right"));
        QCOMPARE(s[8], QStringLiteral("Lunch, CRTD 10:22 21-JUN-00"));
        QCOMPARE(out.size(), 11 + 1 + 2);
        QCOMPARE(out.value(12), QStringLiteral("\t\tdisp\tall ;"));
        QCOMPARE(out.value(13), QStringLiteral("mapserver end;"));
    }

    // Record coordinates in each format as the script's position: rounded half away from
    // zero to the tenth of a second, a rounded-up minute carried (never "60.0" seconds).
    void importCoordinates_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("lat");
        QTest::addColumn<QString>("lon");
        QTest::addColumn<QString>("pos");
        QTest::newRow("dms") << "DMS" << "35.301234" << "139.450000" << "35/30/12.3,139/45/00.0";
        QTest::newRow("dms half up") << "DMS" << "35.000165" << "139.000205" << "35/00/01.7,139/00/02.1";
        QTest::newRow("dms carries the minute") << "DMS" << "35.005995" << "139.595999"
                                                << "35/01/00.0,140/00/00.0";
        QTest::newRow("dms south west") << "DMS" << "-35.300000" << "-0.000100"
                                        << "-36/30/00.0,-1/59/59.0";
        QTest::newRow("d") << "D" << "35.5034166666667" << "139.75" << "35/30/12.3,139/45/00.0";
        QTest::newRow("kel") << "KEL" << "35/30/12.3" << "139/45/00.0" << "35/30/12.3,139/45/00.0";
        QTest::newRow("pao") << "PAO" << "35/30/12345" << "139/45/00000" << "35/30/12.3,139/45/00.0";
    }
    void importCoordinates() {
        QFETCH(QString, format);
        QFETCH(QString, lat);
        QFETCH(QString, lon);
        QFETCH(QString, pos);
        const WptConversion r = Import({QStringLiteral("WP,%1,X, %2, %3").arg(format, lat, lon)});
        QCOMPARE(r.waypoints, 1);
        Slots s;
        ParseStatement(r.lines.value(11), s);
        QCOMPARE(s[3], pos);
    }

    void importedWaypointExportsWithItsName() {
        const WptConversion in = Import({"WP,DMS,AB, 35.1, 139.1,,,"});
        const WptConversion out = Export(in.lines);
        QCOMPARE(ReadLine(out.lines.value(1)).name(), QStringLiteral("AB"));
        QVERIFY(out.lines.value(1).startsWith(QStringLiteral("WP,DMS,AB    , ")));
    }

    // Golden files: each data file imported with the default options, and the sample
    // script exported at a fixed time, byte for byte.
    void goldenFiles_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("expected");
        for (const char* name : {"waypoints", "routes", "tracks", "faulty"})
            QTest::newRow(name) << QStringLiteral("waypoint/%1.txt").arg(QLatin1String(name)) << "KEL"
                                << QStringLiteral("waypoint/%1.expected.kel").arg(QLatin1String(name));
        QTest::newRow("sample export") << "waypoint/sample.kel" << "WPT" << "waypoint/sample.expected.txt";
    }
    void goldenFiles() {
        QFETCH(QString, source);
        QFETCH(QString, mode);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("out"));
        FixedClock clock(QDateTime(QDate(2000, 6, 21), QTime(12, 0, 0)));
        const WptConversion r = ConvertKelWpt(DataPath(source), target, mode, WptOptions(), clock);
        QVERIFY2(r.ok, qPrintable(r.error));
        const QByteArray want = ReadBytes(DataPath(expected));
        QVERIFY(!want.isEmpty());
        QCOMPARE(ReadBytes(target), want);
    }

    // Records that cannot be read are counted and left out: nothing reaches the script as
    // position 0,0.
    void malformedRecordsAreSkippedAndCounted() {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("f.kel"));
        const WptConversion r = ConvertKelWpt(DataPath("waypoint/faulty.txt"), target,
                                              QStringLiteral("KEL"), WptOptions(), SystemClock());
        QVERIFY(r.ok);
        QCOMPARE(r.waypoints, 2);
        QCOMPARE(r.skippedMalformed, 5);
        QCOMPARE(r.skippedUnsupported, 1);
        QCOMPARE(r.notes.size(), 6);
        QVERIFY(r.notes.join('\n').contains(QStringLiteral("line 4: WP record has a latitude \"abc\"")));
        QVERIFY(!ReadBytes(target).contains("0/00/00.0"));
        QVERIFY(r.Summary().contains(QStringLiteral("5 malformed records skipped")));
    }

    void valuesAScriptCannotHoldAreChanged() {
        const WptConversion r = Import({"WP,DMS,\"say \"\"hi\"\"\", 35.1, 139.1,,,a; b"});
        QCOMPARE(r.waypoints, 1);
        QCOMPARE(r.changedValues, 1);
        Slots s;
        ParseStatement(r.lines.value(11), s);
        QCOMPARE(s[4], QStringLiteral("[WP]say 'hi'"));
        QCOMPARE(s[8], QStringLiteral("a; b"));  // ";" on the last line is fine
    }

    // The track-log step: the line's label and info, and which points are marked.
    void trackStep_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("str");
        QTest::addColumn<QString>("infoStart");
        QTest::addColumn<QStringList>("points");  // str of the marked points
        const QString start = QStringLiteral(" Start[06/21/2000 10:00:00]");
        QTest::newRow("0") << 0 << "[TR]#1 06/21/2000" << "#1 Total:7tps 00:06:00 "
                           << QStringList{"Start", "End"};
        QTest::newRow("-1") << -1 << "[TR]#1" + start << "#1 Total:" << QStringList{};
        QTest::newRow("-2") << -2 << "[TR]#1" << "#1" + start + " Total:" << QStringList{};
        QTest::newRow("-3") << -3 << "" << "#1" + start + " Total:" << QStringList{"Start", "End"};
        QTest::newRow("-4") << -4 << "" << "#1" + start + " Total:" << QStringList{};
        QTest::newRow("3") << 3 << "[TR]#1 06/21/2000" << "#1 Total:"
                           << QStringList{"Start", "10:02:00", "10:05:00", "End"};
        QTest::newRow("-5 as 5") << -5 << "[TR]#1 06/21/2000" << "#1 Total:"
                                 << QStringList{"Start", "10:04:00", "End"};
        QTest::newRow("step past the end") << 50 << "[TR]#1 06/21/2000" << "#1 Total:"
                                           << QStringList{"Start", "End"};
    }
    void trackStep() {
        QFETCH(int, step);
        QFETCH(QString, str);
        QFETCH(QString, infoStart);
        QFETCH(QStringList, points);
        QStringList track;
        for (int i = 0; i < 7; ++i)
            track << QStringLiteral("TP,DMS, 35.30%1, 139.300000,06/21/2000,10:0%2:00,%3")
                         .arg(i * 600, 4, 10, QLatin1Char('0'))
                         .arg(i)
                         .arg(i == 0 ? 1 : 0);
        WptOptions o;
        o.trackLogStep = step;
        const WptConversion r = Import(track, o);
        const QStringList figures = r.lines.mid(11, r.lines.size() - 13);
        Slots s;
        QCOMPARE(ParseStatement(figures.value(0), s), QStringLiteral("line"));
        QCOMPARE(s[2], QStringLiteral("5134"));
        QCOMPARE(s[4], str);
        QVERIFY2(s[8].startsWith(infoStart), qPrintable(s[8]));
        QVERIFY2(s[8].endsWith(QStringLiteral("km/hr")), qPrintable(s[8]));
        QCOMPARE(ParsePosList(s[3]).count(), 7);
        QStringList marked;
        for (int i = 1; i < figures.size(); ++i) {
            Slots p;
            ParseStatement(figures[i], p);
            QCOMPARE(p[2], QStringLiteral("5135"));
            QVERIFY(p[8].contains(QStringLiteral(" Intv. ")));
            marked << p[4];
        }
        QCOMPARE(marked, points);
    }

    void trackSummary() {
        // Four points 0.6" of latitude apart, a minute each: 3 minutes, 0.557 km, 11 km/h.
        const WptConversion r = ConvertFile("waypoint/tracks.txt");
        QCOMPARE(r.tracks, 3);
        QCOMPARE(r.trackPoints, 12);
        Slots s;
        ParseStatement(r.lines.value(11), s);
        QCOMPARE(s[8], QStringLiteral("#1 Total:4tps 00:03:00 .557km 11km/hr"));
    }

    // A route over the table size is split into figures of at most 256 points, each
    // starting at the last point of the one before; every point is kept.
    void longRouteIsSplit_data() {
        QTest::addColumn<int>("points");
        QTest::addColumn<QList<int>>("pieces");
        QTest::newRow("256") << 256 << QList<int>{256};
        QTest::newRow("257") << 257 << QList<int>{256, 2};
        QTest::newRow("600") << 600 << QList<int>{256, 256, 90};
    }
    void longRouteIsSplit() {
        QFETCH(int, points);
        QFETCH(QList<int>, pieces);
        QStringList file{"RN,7,Long"};
        for (int i = 0; i < points; ++i) file << RoutePoint(i);
        const WptConversion r = Import(file);
        QCOMPARE(r.routes, 1);
        QCOMPARE(r.routePoints, points);
        QCOMPARE(r.splitFigures, int(pieces.size()) - 1);
        QStringList all;  // positions of the line figures, shared points once
        int pointFigures = 0;
        int k = 0;
        for (const QString& text : r.lines) {
            Slots s;
            const QString word = ParseStatement(text, s);
            if (word == QLatin1String("point")) ++pointFigures;
            if (word != QLatin1String("line")) continue;
            const PosTexts pos = ParsePosList(s[3]);
            QCOMPARE(pos.count(), pieces[k]);
            QCOMPARE(s[8], QStringLiteral("RtNo:7 RpNum:%1").arg(pieces[k]) +
                               (pieces.size() > 1 ? QStringLiteral(" Part:%1/%2").arg(k + 1).arg(pieces.size())
                                                  : QString()));
            for (int i = 0; i < pos.count(); ++i) {
                const QString p = pos.lat[i] + ',' + pos.lon[i];
                if (i == 0 && k > 0) QCOMPARE(p, all.last());
                else all << p;
            }
            ++k;
        }
        QCOMPARE(k, int(pieces.size()));
        QCOMPARE(all.size(), points);
        QCOMPARE(pointFigures, points);
        for (int i = 0; i < points; ++i) QCOMPARE(Val(all[i].section(',', 1, 1)), 139 + i / 3600.0);
    }

    void longTrackIsSplit() {
        const int n = 6000;
        QStringList file;
        for (int i = 0; i < n; ++i)
            file << QStringLiteral("TP,KEL, 35/00/00.0, %1,06/21/2000,10:00:00,%2")
                        .arg(KelCoordOf(139 + i / 36000.0))
                        .arg(i == 0 ? 1 : 0);
        const WptConversion r = Import(file);
        QCOMPARE(r.tracks, 1);
        QCOMPARE(r.trackPoints, n);
        QCOMPARE(r.splitFigures, 2);
        QList<int> counts;
        QStringList labels;
        double lastLon = 0;
        for (const QString& text : r.lines) {
            Slots s;
            if (ParseStatement(text, s) != QLatin1String("line")) continue;
            const PosTexts pos = ParsePosList(s[3]);
            QVERIFY(!pos.truncated);
            counts << pos.count();
            labels << s[4].section(' ', 0, 0);
            if (counts.size() > 1) QCOMPARE(Val(pos.lon[0]), lastLon);
            lastLon = Val(pos.lon.last());
        }
        QCOMPARE(counts, (QList<int>{2560, 2560, 882}));
        QCOMPARE(labels, (QStringList{"[TR]#1-1", "[TR]#1-2", "[TR]#1-3"}));
        QCOMPARE(lastLon, 139 + (n - 1) / 36000.0);
    }

    void routeWithoutPointsAndStrayRoutePoint() {
        const WptConversion r = Import({"RN,1,Empty", "WP,DMS,W, 35.1, 139.1", "RP,DMS,X, 35.1, 139.1"});
        QCOMPARE(r.routes, 0);
        QCOMPARE(r.waypoints, 1);
        QCOMPARE(r.skippedMalformed, 1);
        QCOMPARE(r.notes.size(), 2);
    }

    // KEL -> Waypoint+ -> KEL keeps every position of the sample script to the tenth of a
    // second, with names and comments.
    void sampleRoundTrip() {
        const ScriptReadResult original = ReadScriptFile(DataPath("waypoint/sample.kel"));
        QVERIFY(original.ok);
        const WptConversion out = Export(original.statements);
        const WptConversion back = Import(out.lines);
        QCOMPARE(back.waypoints, 5);
        QCOMPARE(back.routes, 1);
        QCOMPARE(back.tracks, 1);

        QList<Figure> before = Figures(original.statements);
        QList<Figure> after = Figures(back.lines);
        QCOMPARE(after.size(), before.size());
        for (int i = 0; i < before.size(); ++i) {
            const Figure& a = before[i];
            const Figure& b = after[i];
            QCOMPARE(b.kind, a.kind);
            QCOMPARE(b.lat.size(), a.kind == "[WP]" ? 1 : a.lat.size());
            for (int k = 0; k < b.lat.size(); ++k) {
                QCOMPARE(b.lat[k], a.lat[k]);
                QCOMPARE(b.lon[k], a.lon[k]);
            }
            if (a.kind == "[WP]") {
                QCOMPARE(b.str.trimmed(), a.str.trimmed());
                QCOMPARE(b.info, a.info);
            }
            if (a.kind == "[RT]") QCOMPARE(b.str, a.str);
        }
    }

    // The same for many random positions on the tenth-second grid, both hemispheres, and
    // the whole-minute and 59.9-second values where rounding would show.
    void randomPositionsRoundTripExactly() {
        QRandomGenerator rng(20000621);
        QStringList script;
        QStringList expected;
        for (int i = 0; i < 400; ++i) {
            const int tenthsLat = rng.bounded(-90 * 36000, 90 * 36000 + 1);
            int tenthsLon = rng.bounded(-180 * 36000, 180 * 36000 + 1);
            if (i % 4 == 0) tenthsLon = tenthsLon / 600 * 600;        // whole minute
            if (i % 4 == 1) tenthsLon = tenthsLon / 600 * 600 + 599;  // 59.9 seconds
            const QString lat = KelCoordOf(tenthsLat / 36000.0);
            const QString lon = KelCoordOf(tenthsLon / 36000.0);
            script << Point(lat + ',' + lon, QStringLiteral("[WP]P%1").arg(i), QString());
            expected << lat + ',' + lon;
        }
        const WptConversion back = Import(Export(script).lines);
        QCOMPARE(back.waypoints, 400);
        for (int i = 0; i < 400; ++i) {
            Slots s;
            ParseStatement(back.lines[11 + i], s);
            QCOMPARE(s[3], expected[i]);
        }
    }

    void fileConversionFailures() {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("t.txt"));
        WptConversion r = ConvertKelWpt(dir.filePath(QStringLiteral("missing.kel")), target,
                                        QStringLiteral("WPT"), WptOptions(), SystemClock());
        QVERIFY(!r.ok);
        QVERIFY(r.error.contains(QStringLiteral("missing.kel")));
        QVERIFY(!QFile::exists(target));
        r = ConvertKelWpt(DataPath("waypoint/sample.kel"), target, QStringLiteral("GPX"), WptOptions(),
                          SystemClock());
        QVERIFY(!r.ok);
        QVERIFY(!QFile::exists(target));
        r = ConvertKelWpt(DataPath("waypoint/sample.kel"), dir.filePath(QStringLiteral("no/such/dir/t.txt")),
                          QStringLiteral("wpt"), WptOptions(), SystemClock());
        QVERIFY(!r.ok);
    }

    void optionsFromTexts() {
        const WptOptions o = WptOptions::FromTexts(QStringLiteral(" -5.5h"), QStringLiteral(""),
                                                   QStringLiteral("END"), QStringLiteral("2"),
                                                   QStringLiteral("99999"));
        QCOMPARE(o.utcOffset, -6);  // halves to even
        QCOMPARE(o.originName, QString());
        QCOMPARE(o.rpNumbering, int(WptOptions::kDown));
        QCOMPARE(o.trackLogStep, 32767);
        const WptOptions d;
        QCOMPARE(d.utcOffset, 9);
        QCOMPARE(d.originName, QStringLiteral("STR"));
        QCOMPARE(d.destinationName, QStringLiteral("DST"));
        QCOMPARE(d.rpNumbering, int(WptOptions::kUp));
        QCOMPARE(d.trackLogStep, 0);
        QCOMPARE(WptOptions::FromTexts("x", "", "", "7", "").rpNumbering, int(WptOptions::kUp));
    }

    // The temporary script lives in the system's temporary folder under a unique name and
    // is gone when its owner goes, also when the operation ends early.
    void temporaryScriptIsRemovedOnEveryPath() {
        QString path1, path2;
        try {
            TempScriptFile a;
            TempScriptFile b;
            QVERIFY(a.ok());
            path1 = a.path();
            path2 = b.path();
            QVERIFY(path1.startsWith(QDir::tempPath()));
            QVERIFY(path1.endsWith(QStringLiteral("/Temp.kel")));
            QVERIFY(path1 != path2);
            QVERIFY(WriteTextFile(path1, {QStringLiteral("mapserver end;")}).ok);
            QVERIFY(QFile::exists(path1));
            throw 1;  // an operation that fails half way
        } catch (int) {
        }
        QVERIFY(!QFile::exists(path1));
        QVERIFY(!QFileInfo::exists(QFileInfo(path1).path()));
        QVERIFY(!QFileInfo::exists(QFileInfo(path2).path()));
    }
};

KEL_TEST(KelWptTest);
#include "tst_KelWpt.moc"
