#include <QTemporaryDir>

#include "TestMain.h"
#include "WptTestUtil.h"

using namespace kel;
using namespace kel::test;

using Run = KelRun;

class CliWaypointTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void exportAndImport() {
        QTemporaryDir dir;
        const QString txt = dir.filePath(QStringLiteral("out.txt"));
        const QString kel = dir.filePath(QStringLiteral("back.kel"));
        Run r = RunKel({"wpt-export", DataPath("waypoint/sample.kel"), txt, "--now",
                     "2000-06-21T12:00:00"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QStringLiteral("converted 5 waypoints, 1 route (3 points), 1 track (4 points); "
                                       "1 malformed record skipped\n"));
        QVERIFY(r.err.contains(QStringLiteral("\"NOPOS\" has no position")));
        QCOMPARE(ReadBytes(txt), ReadBytes(DataPath("waypoint/sample.expected.txt")));

        r = RunKel({"wpt-import", txt, kel, "--step=-1"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, QString());
        const QStringList lines = ReadTextFile(kel).lines;
        QVERIFY(lines.contains(QStringLiteral("\t\t\t\tstr=\"[TR]#1 Start[06/21/2000 12:00:00]\"")));
    }

    void exportOptions() {
        QTemporaryDir dir;
        const QString txt = dir.filePath(QStringLiteral("out.txt"));
        const Run r = RunKel({"wpt-export", DataPath("waypoint/sample.kel"), txt, "--rp-numbering", "DOWN", "--origin",
                              "", "--destination=", "--utc-offset", "0", "--now", "2000-06-21T12:00:00"});
        QCOMPARE(r.status, 0);
        const QStringList lines = ReadTextFile(txt).lines;
        QStringList names;
        for (const QString& line : lines.filter(QStringLiteral("RP,"))) names << ReadLine(line).name();
        QCOMPARE(names, (QStringList{"Kam3", "Kam2", "Kam1"}));
        QVERIFY(lines.value(1).contains(QStringLiteral(",06/21/2000,10:22:00,CRTD 10:22 21-JUN-00")));
    }

    // The track-log utilities on a copy of a file with three tracks: a route file, one
    // ProAtlas log per track, and the 2DRMS, appended on request as a note the file's
    // readers pass over.
    void trackCommands() {
        QTemporaryDir dir;
        const QString tracks = CopyData(dir.path(), QStringLiteral("tracks.txt"));
        Run r = RunKel({"track-route", tracks});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, dir.filePath(QStringLiteral("tracks(Info).TXT")) + '\n');
        QCOMPARE(ReadTextFile(dir.filePath(QStringLiteral("tracks(Info).TXT"))).lines.filter("RN,").size(), 3);

        r = RunKel({"track-log", tracks});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out.split('\n', Qt::SkipEmptyParts).size(), 3);
        QCOMPARE(ReadTextFile(dir.filePath(QStringLiteral("tracks-1.LOG"))).lines,
                 (QStringList{"00/06/21 10:00:00 N35:30:00.0 E139:30:00.0", "00/06/21 10:01:00 N35:30:06.0 E139:30:00.0",
                              "00/06/21 10:02:00 N35:30:12.0 E139:30:00.0", "00/06/21 10:03:00 N35:30:18.0 E139:30:00.0"}));
        QCOMPARE(ReadTextFile(dir.filePath(QStringLiteral("tracks-3.LOG"))).lines,
                 QStringList{"00/06/24 08:00:00 S12:30:00.0 W77:02:00.0"});

        r = RunKel({"track-2drms", tracks});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.endsWith(QStringLiteral(")\n")));
        QVERIFY(r.out.contains(QString::fromUtf8(" m (σx^2=")));
        const QByteArray before = ReadBytes(tracks);
        QCOMPARE(RunKel({"track-2drms", "--append", tracks}).out, r.out);
        QCOMPARE(ReadTextFile(tracks).lines.last(), QStringLiteral("# ") + r.out.trimmed());
        QVERIFY(ReadBytes(tracks).startsWith(before));
        QCOMPARE(RunKel({"track-2drms", tracks}).out, r.out);
    }

    // Bad arguments and unreadable files: a non-zero status and one line on stderr.
    void failures_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::newRow("missing source") << QStringList{"wpt-import", "/nonexistent/a.txt", "/tmp/x.kel"} << 1;
        QTest::newRow("too few arguments") << QStringList{"wpt-export", "a.kel"} << 2;
        QTest::newRow("unknown option") << QStringList{"wpt-import", "a.txt", "b.kel", "--origin", "X"} << 2;
        QTest::newRow("bad numbering") << QStringList{"wpt-export", "a.kel", "b.txt", "--rp-numbering", "sideways"} << 2;
        QTest::newRow("option without value") << QStringList{"wpt-import", "a.txt", "b.kel", "--step"} << 2;
        QTest::newRow("bad time") << QStringList{"track-log", "a.kel", "--now", "noon"} << 2;
        QTest::newRow("no track points") << QStringList{"track-2drms", DataPath("waypoint/waypoints.txt")} << 1;
    }
    void failures() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        const Run r = RunKel(args);
        QCOMPARE(r.status, status);
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY2(r.err.startsWith(QStringLiteral("kel: ") + args[0] + QStringLiteral(": ")), qPrintable(r.err));
        QCOMPARE(r.out, QString());
    }
};

KEL_TEST(CliWaypointTest);
#include "tst_CliWaypoint.moc"
