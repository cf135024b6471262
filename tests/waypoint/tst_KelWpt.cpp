#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "TestMain.h"
#include "WptTestUtil.h"
#include "script/ScriptFile.h"
#include "waypoint/TempScript.h"

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
        QTest::newRow("marks and stamp")
            << Point("!35/30/00.0,139/45/00.0&", "[WP]X", "Lunch CRTD 10:22 21-JUN-00 at noon")
            << QStringList{"WP,DMS,X     , 35.300000, 139.450000,06/21/2000,19:22:00,"
                           "Lunch CRTD 10:22 21-JUN-00 at noon"};
        QTest::newRow("whole minute is never 60 seconds") << Point("35/11/00.0,139/59/59.9", "[WP]M", "")
                                                          << QStringList{"WP,DMS,M     , 35.110000, 139.595990" + now};
        QTest::newRow("first position only")
            << Point("35/00/00.0,135/00/00.0,36/00/00.0,136/00/00.0", "[WP]P", "")
            << QStringList{"WP,DMS,P     , 35.000000, 135.000000" + now};
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
        QStringList got;
        for (const QString& line : r.lines.mid(2)) got << ReadLine(line).name();
        QCOMPARE(got.mid(0, names.size()), names);
        if (points == 300) QCOMPARE(got.last(), QStringLiteral("Kam300"));
    }

    void routesAreNumberedInOrder() {
        const WptConversion r = Export({Line(PosOfRun(2), "[RT]A", ""), Line(PosOfRun(2), "[TR]x", ""),
                                        Line(PosOfRun(2), "[RT]B", "")});
        QCOMPARE(r.lines.filter(QStringLiteral("RN,")), (QStringList{"RN,1,A ", "RN,2,B "}));
    }

    // A figure without positions, a route without points and a route point outside a
    // route are passed over and counted, never written empty.
    void emptyFiguresAreSkipped() {
        const WptConversion out = Export({Point("", "[WP]NOPOS", ""), Line("", "[RT]R", "")});
        QCOMPARE(out.lines.size(), 1);
        QCOMPARE(out.skippedMalformed, 2);
        const WptConversion in = Import({"RN,1,Empty", "WP,DMS,W, 35.1, 139.1", "RP,DMS,X, 35.1, 139.1"});
        QCOMPARE(Counts(in), (QList<int>{1, 0, 0, 1, 0}));
        QCOMPARE(in.notes.size(), 2);
    }

    // Record coordinates in each format as the script's position: rounded half away from
    // zero to the tenth of a second, a rounded-up minute carried (never "60.0" seconds).
    void importCoordinates_data() {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("pos");
        QTest::newRow("dms half up") << "DMS,X, 35.000165, 139.000205" << "35/00/01.7,139/00/02.1";
        QTest::newRow("dms carries the minute") << "DMS,X, 35.005995, 139.595999" << "35/01/00.0,140/00/00.0";
        QTest::newRow("dms south west") << "DMS,X, -35.300000, -0.000100" << "-36/30/00.0,-1/59/59.0";
        QTest::newRow("d") << "D,X, 35.5034166666667, 139.75" << "35/30/12.3,139/45/00.0";
        QTest::newRow("kel") << "KEL,X, 35/30/12.3, 139/45/00.0" << "35/30/12.3,139/45/00.0";
        QTest::newRow("pao") << "PAO,X, 35/30/12345, 139/45/00000" << "35/30/12.3,139/45/00.0";
    }
    void importCoordinates() {
        QFETCH(QString, record);
        QFETCH(QString, pos);
        const WptConversion r = Import({QStringLiteral("WP,") + record});
        QCOMPARE(r.waypoints, 1);
        QCOMPARE(SlotsOf(r.lines.value(11))[3], pos);
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
        const WptConversion r = ConvertKelWpt(DataPath(source), target, mode, WptOptions(), FixedClock(FixedNow()));
        QVERIFY2(r.ok, qPrintable(r.error));
        const QByteArray want = ReadBytes(DataPath(expected));
        QVERIFY(!want.isEmpty());
        QCOMPARE(ReadBytes(target), want);
    }

    // Records that cannot be read are counted and left out: nothing reaches the script as
    // position 0,0.
    void malformedRecordsAreSkippedAndCounted() {
        const WptConversion r = Import(ReadTextFile(DataPath("waypoint/faulty.txt")).lines);
        QCOMPARE(Counts(r), (QList<int>{2, 0, 0, 5, 1}));
        QCOMPARE(r.notes.size(), 6);
        QVERIFY(r.notes.join('\n').contains(QStringLiteral("line 4: WP record has a latitude \"abc\"")));
        QVERIFY(!r.lines.join('\n').contains(QStringLiteral("0/00/00.0")));
        QVERIFY(r.Summary().contains(QStringLiteral("5 malformed records skipped")));
    }

    void valuesAScriptCannotHoldAreChanged() {
        const WptConversion r = Import({"WP,DMS,\"say \"\"hi\"\"\", 35.1, 139.1,,,a; b"});
        QCOMPARE(r.waypoints, 1);
        QCOMPARE(r.changedValues, 1);
        const Slots s = SlotsOf(r.lines.value(11));
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
        const QString dated = QStringLiteral("[TR]#1 06/21/2000");
        QTest::newRow("0") << 0 << dated << "#1 Total:7tps 00:06:00 " << QStringList{"Start", "End"};
        QTest::newRow("-1") << -1 << "[TR]#1" + start << "#1 Total:" << QStringList{};
        QTest::newRow("-2") << -2 << "[TR]#1" << "#1" + start + " Total:" << QStringList{};
        QTest::newRow("-3") << -3 << "" << "#1" + start + " Total:" << QStringList{"Start", "End"};
        QTest::newRow("-4") << -4 << "" << "#1" + start + " Total:" << QStringList{};
        QTest::newRow("3") << 3 << dated << "#1 Total:" << QStringList{"Start", "10:02:00", "10:05:00", "End"};
        QTest::newRow("-5 as 5") << -5 << dated << "#1 Total:" << QStringList{"Start", "10:04:00", "End"};
        QTest::newRow("step past the end") << 50 << dated << "#1 Total:" << QStringList{"Start", "End"};
    }
    void trackStep() {
        QFETCH(int, step);
        QFETCH(QString, str);
        QFETCH(QString, infoStart);
        QFETCH(QStringList, points);
        QStringList track;
        for (int i = 0; i < 7; ++i)
            track << QStringLiteral("TP,DMS, 35.30%1, 139.300000,06/21/2000,10:0%2:00,%3")
                         .arg(i * 600, 4, 10, QLatin1Char('0')).arg(i).arg(i == 0 ? 1 : 0);
        WptOptions o;
        o.trackLogStep = step;
        const QStringList lines = Import(track, o).lines;
        const QStringList figures = lines.mid(11, lines.size() - 13);
        const Slots s = SlotsOf(figures.value(0));
        QCOMPARE(s[4], str);
        QVERIFY2(s[8].startsWith(infoStart) && s[8].endsWith(QStringLiteral("km/hr")), qPrintable(s[8]));
        QCOMPARE(ParsePosList(s[3]).count(), 7);
        QStringList marked;
        for (const QString& point : figures.mid(1)) marked << SlotsOf(point)[4];
        QCOMPARE(marked, points);
    }

    // A route or track over its table size is split into figures of at most 256 (2560)
    // points, each starting at the last point of the one before; every point is kept.
    void longFiguresAreSplit_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("points");
        QTest::addColumn<QList<int>>("pieces");
        QTest::addColumn<QStringList>("texts");  // info of a route's lines, label of a track's
        QTest::newRow("route 256") << "RP" << 256 << QList<int>{256} << QStringList{"RtNo:7 RpNum:256"};
        QTest::newRow("route 257") << "RP" << 257 << QList<int>{256, 2}
                                   << QStringList{"RtNo:7 RpNum:256 Part:1/2", "RtNo:7 RpNum:2 Part:2/2"};
        QTest::newRow("track 6000") << "TP" << 6000 << QList<int>{2560, 2560, 882}
                                    << QStringList{"[TR]#1-1", "[TR]#1-2", "[TR]#1-3"};
    }
    void longFiguresAreSplit() {
        QFETCH(QString, type);
        QFETCH(int, points);
        QFETCH(QList<int>, pieces);
        QFETCH(QStringList, texts);
        const bool route = type == QLatin1String("RP");
        QStringList file{"RN,7,Long"};
        for (int i = 0; i < points; ++i)
            file << QStringLiteral("%1,KEL,%2 35/00/00.0, %3,06/21/2000,10:00:00,%4")
                        .arg(type, route ? QStringLiteral("P%1,").arg(i) : QString(),
                             KelCoordOf(139 + i / 36000.0), QString::number(route || i > 0 ? 0 : 1));
        const WptConversion r = Import(file);
        QCOMPARE(route ? r.routePoints : r.trackPoints, points);
        QCOMPARE(r.splitFigures, int(pieces.size()) - 1);
        QStringList all;  // positions of the line figures, shared points once
        QStringList seen;
        int pointFigures = 0;
        for (const QString& text : r.lines) {
            if (CommandWord(text) == QLatin1String("point")) ++pointFigures;
            if (CommandWord(text) != QLatin1String("line")) continue;
            const Slots s = SlotsOf(text);
            const PosTexts pos = ParsePosList(s[3]);
            QVERIFY(!pos.truncated);
            QCOMPARE(pos.count(), pieces.value(int(seen.size())));
            seen << (route ? s[8] : s[4].section(' ', 0, 0));
            for (int i = 0; i < pos.count(); ++i) {
                const QString p = pos.lat[i] + ',' + pos.lon[i];
                if (i == 0 && seen.size() > 1) QCOMPARE(p, all.last());
                else all << p;
            }
        }
        QCOMPARE(seen, texts);
        QCOMPARE(all.size(), points);
        if (route) QCOMPARE(pointFigures, points);
        for (int i = 0; i < points; ++i) QCOMPARE(Val(all[i].section(',', 1, 1)), 139 + i / 36000.0);
    }

    // KEL -> Waypoint+ -> KEL keeps every position of the sample script to the tenth of a
    // second, with names and comments.
    void sampleRoundTrip() {
        const ScriptReadResult original = ReadScriptFile(DataPath("waypoint/sample.kel"));
        QVERIFY(original.ok);
        const WptConversion back = Import(Export(original.statements).lines);
        QCOMPARE(Counts(back), (QList<int>{5, 1, 1, 0, 0}));
        QCOMPARE(CarriedFigures(back.lines), CarriedFigures(original.statements));
    }

    // The same for many random positions on the tenth-second grid, both hemispheres, and
    // the whole-minute and 59.9-second values where rounding would show.
    void randomPositionsRoundTripExactly() {
        QRandomGenerator rng(20000621);
        QStringList script, expected;
        for (int i = 0; i < 400; ++i) {
            const int tenthsLat = rng.bounded(-90 * 36000, 90 * 36000 + 1);
            int tenthsLon = rng.bounded(-180 * 36000, 180 * 36000 + 1);
            if (i % 4 == 0) tenthsLon = tenthsLon / 600 * 600;        // whole minute
            if (i % 4 == 1) tenthsLon = tenthsLon / 600 * 600 + 599;  // 59.9 seconds
            expected << KelCoordOf(tenthsLat / 36000.0) + ',' + KelCoordOf(tenthsLon / 36000.0);
            script << Point(expected.last(), QStringLiteral("[WP]P%1").arg(i), QString());
        }
        const WptConversion back = Import(Export(script).lines);
        QCOMPARE(back.waypoints, 400);
        for (int i = 0; i < 400; ++i) QCOMPARE(SlotsOf(back.lines[11 + i])[3], expected[i]);
    }

    // A failed conversion says so and leaves no target behind.
    void fileConversionFailures() {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("t.txt"));
        const QString sample = DataPath("waypoint/sample.kel");
        WptConversion r = ConvertKelWpt(dir.filePath("missing.kel"), target, "WPT", WptOptions(), SystemClock());
        QVERIFY(!r.ok);
        QVERIFY(r.error.contains(QStringLiteral("missing.kel")));
        QVERIFY(!ConvertKelWpt(sample, target, "GPX", WptOptions(), SystemClock()).ok);
        QVERIFY(!QFile::exists(target));
        QVERIFY(!ConvertKelWpt(sample, dir.filePath("no/dir/t.txt"), "wpt", WptOptions(), SystemClock()).ok);
    }

    void optionsFromTexts() {
        const WptOptions o = WptOptions::FromTexts(" -5.5h", "", "END", "2", "99999");
        QCOMPARE(o.utcOffset, -6);  // halves to even
        QCOMPARE(o.originName, QString());
        QCOMPARE(o.rpNumbering, int(WptOptions::kDown));
        QCOMPARE(o.trackLogStep, 32767);
        QCOMPARE(WptOptions::FromTexts("x", "", "", "7", "").rpNumbering, int(WptOptions::kUp));
    }

    // The temporary script lives in the system's temporary folder under a unique name and
    // is gone when its owner goes, also when the operation ends early.
    void temporaryScriptIsRemovedOnEveryPath() {
        QString path1, path2;
        try {
            TempScriptFile a, b;
            path1 = a.path(), path2 = b.path();
            QVERIFY(a.ok() && path1 != path2);
            QVERIFY(path1.startsWith(QDir::tempPath()) && path1.endsWith(QStringLiteral("/Temp.kel")));
            QVERIFY(WriteTextFile(path1, {QStringLiteral("mapserver end;")}).ok && QFile::exists(path1));
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
