#include <QFile>
#include <QTemporaryDir>

#include "TestMain.h"
#include "WptTestUtil.h"
#include "geo/Geometry.h"
#include "waypoint/TrackLog.h"

using namespace kel;
using namespace kel::test;

namespace {

QString CopyData(const QTemporaryDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    QFile::copy(DataPath(QStringLiteral("waypoint/") + name), path);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return path;
}

QStringList Lines(const QString& path) { return ReadTextFile(path).lines; }

}  // namespace

class TrackLogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void paLogLine_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("lat");
        QTest::addColumn<QString>("lon");
        QTest::addColumn<QString>("line");
        QTest::newRow("north east") << "06/21/2000" << "10:22:00" << "35.5034166666667" << "139.75"
                                    << "00/06/21 10:22:00 N35:30:12.3 E139:45:00.0";
        // Hemisphere letter and the degrees, minutes and seconds of the magnitude.
        QTest::newRow("south west") << "12/31/1999" << "23:59:59" << "-35.5" << "-70.2541666666667"
                                    << "99/12/31 23:59:59 S35:30:00.0 W70:15:15.0";
        QTest::newRow("whole minute") << "01/02/2003" << "00:00:00" << "35.1833333333333" << "0"
                                      << "03/01/02 00:00:00 N35:11:00.0 E0:00:00.0";
        QTest::newRow("date without zeros") << "6/1/2000" << "08:00:00" << "1" << "-1"
                                            << "00/06/01 08:00:00 N1:00:00.0 W1:00:00.0";
    }
    void paLogLine() {
        QFETCH(QString, date);
        QFETCH(QString, time);
        QFETCH(QString, lat);
        QFETCH(QString, lon);
        QFETCH(QString, line);
        QCOMPARE(PaLogLine(date, time, lat, lon), line);
    }

    void targetNames() {
        QCOMPARE(TrackRouteTarget(QStringLiteral("/a/b/log.TXT")), QStringLiteral("/a/b/log(Info).TXT"));
        QCOMPARE(TrackLogTarget(QStringLiteral("/a/b/log.txt"), 2), QStringLiteral("/a/b/log-2.LOG"));
        QCOMPARE(TrackLogTargetPattern(QStringLiteral("/a/b/log.kel")), QStringLiteral("/a/b/log*.LOG"));
    }

    void trackToRoute() {
        LineSource source(QStringList{
            "Datum,Tokyo mean ,Bessel 1841,739.845,0.10037483,-128,481,664",
            "WP,DMS,HOME  , 35.100000, 139.100000,06/21/2000,09:00:00,home",
            "RN,5,Old route",
            "RP,DMS,A, 35.100000, 139.100000,,,",
            "TP,DMS, 35.300000, 139.300000,06/21/2000,10:00:00,1",
            "TP,DMS, 35.300600, 139.300000,06/21/2000,10:01:00,0",
            "TP,DMS, 35.301200, 139.300000,06/21/2000,10:02:00,0",
            "TP,DMS, 35.301800, 139.300000,06/21/2000,10:03:00,0",
            "TP,KEL, 35/40/00.0, 139/40/00.0,06/22/2000,23:59:30,1",
        });
        const TrackLogResult r = ConvertTrackToRoute(source);
        QVERIFY(r.ok);
        QCOMPARE(r.tracks, 2);
        QCOMPARE(r.points, 5);
        const QStringList want{
            "Datum,Tokyo mean ,Bessel 1841,739.845,0.10037483,-128,481,664",
            "WP,DMS,HOME, 35.100000, 139.100000,06/21/2000,09:00:00,home",
            "RN,5,Old route",
            "RP,DMS,A, 35.100000, 139.100000,,,",
            "RN,6,TR1 Total:4tps 0.557km 11km/hr",
            "RP,DMS,STR, 35.300000, 139.300000,06/21/2000,10:00:00,"
            "(1/4) 00:00:00 Intv. 0000.000 km 0 km/hr Accm. 0000.000 km 0 km/hr",
            "RP,DMS,002, 35.300600, 139.300000,06/21/2000,10:01:00,"
            "(2/4) 00:01:00 Intv. 0000.186 km 11 km/hr Accm. 0000.186 km 11 km/hr",
            "RP,DMS,003, 35.301200, 139.300000,06/21/2000,10:02:00,"
            "(3/4) 00:02:00 Intv. 0000.186 km 11 km/hr Accm. 0000.371 km 11 km/hr",
            "RP,DMS,END, 35.301800, 139.300000,06/21/2000,10:03:00,"
            "(4/4) 00:03:00 Intv. 0000.186 km 11 km/hr Accm. 0000.557 km 11 km/hr",
            "RN,7,TR2 Total:1tps 0.000km 0km/hr",
            "RP,KEL,STR, 35/40/00.0, 139/40/00.0,06/22/2000,23:59:30,"
            "(1/1) 00:00:00 Intv. 0000.000 km 0 km/hr Accm. 0000.000 km 0 km/hr",
        };
        QCOMPARE(r.lines, want);
        // The route file reads back as routes only.
        LineSource again(r.lines);
        const WptConversion k = ConvertWptToKel(again, WptOptions());
        QCOMPARE(k.routes, 3);
        QCOMPARE(k.tracks, 0);
        QCOMPARE(k.skippedMalformed, 0);
    }

    void convertTrackLogFiles() {
        QTemporaryDir dir;
        const QString tracks = CopyData(dir, QStringLiteral("tracks.txt"));
        TrackLogResult r = ConvertTrackLog(QStringLiteral("WptTP"), tracks, SystemClock());
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.written, QStringList{dir.filePath(QStringLiteral("tracks(Info).TXT"))});
        QCOMPARE(Lines(r.written[0]).filter(QStringLiteral("RN,")).size(), 3);

        r = ConvertTrackLog(QStringLiteral("WptPAlog"), tracks, SystemClock());
        QVERIFY(r.ok);
        QCOMPARE(r.written.size(), 3);
        QCOMPARE(r.points, 12);
        QCOMPARE(Lines(dir.filePath(QStringLiteral("tracks-1.LOG"))),
                 (QStringList{"00/06/21 10:00:00 N35:30:00.0 E139:30:00.0",
                              "00/06/21 10:01:00 N35:30:06.0 E139:30:00.0",
                              "00/06/21 10:02:00 N35:30:12.0 E139:30:00.0",
                              "00/06/21 10:03:00 N35:30:18.0 E139:30:00.0"}));
        QCOMPARE(Lines(dir.filePath(QStringLiteral("tracks-3.LOG"))),
                 QStringList{"00/06/24 08:00:00 S12:30:00.0 W77:02:00.0"});
    }

    // A script's tracks are dated now, through a stamp (to the minute) at -9 hours.
    void scriptTrackLog() {
        QTemporaryDir dir;
        const QString sample = CopyData(dir, QStringLiteral("sample.kel"));
        FixedClock clock(QDateTime(QDate(2000, 6, 21), QTime(5, 30, 45)));
        const TrackLogResult r = ConvertTrackLog(QStringLiteral("WptPAlog"), sample, clock);
        QVERIFY(r.ok);
        QCOMPARE(r.written, QStringList{dir.filePath(QStringLiteral("sample-1.LOG"))});
        const QStringList lines = Lines(r.written[0]);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QStringLiteral("00/06/20 20:30:00 N35:20:00.0 E139:20:00.0"));
        QCOMPARE(lines[2], QStringLiteral("00/06/20 20:30:00 N35:21:00.0 E139:20:30.5"));
    }

    void nothingToConvert() {
        QTemporaryDir dir;
        const QString wp = CopyData(dir, QStringLiteral("waypoints.txt"));
        for (const char* mode : {"WptTP", "WptPAlog"}) {
            const TrackLogResult r = ConvertTrackLog(QLatin1String(mode), wp, SystemClock());
            QVERIFY(!r.ok);
            QVERIFY(r.written.isEmpty());
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"waypoints.txt"});
        QVERIFY(!ConvertTrackLog(QStringLiteral("Other"), wp, SystemClock()).ok);
        QVERIFY(!ConvertTrackLog(QStringLiteral("WptTP"), dir.filePath("none.txt"), SystemClock()).ok);
    }

    // Two points one second of latitude apart: the mean lies between them, so the 2DRMS is
    // their distance and sigma-y squared a quarter of its square.
    void drmsOfTwoPoints() {
        LineSource source(QStringList{"TP,DMS, 35.000000, 139.000000,,,1", "WP,DMS,X, 10.0, 10.0",
                                      "TP,DMS, 35.000100, 139.000000,,,0"});
        const TrackDrms d = TrackLog2DRMS(source);
        QVERIFY(d.found);
        QCOMPARE(d.points, 2);
        const double m = CalcDistance(35.0, 139.0, 35 + 1 / 3600.0, 139.0) * 1000;
        QCOMPARE(d.text, FormatNumber(m, u"0.000") + QString::fromUtf8(" m (σx^2=0.000,σy^2=") +
                             FormatNumber(m * m / 4, u"0.000") + QLatin1Char(')'));
    }

    void drmsNoTrackPointsAndAppend() {
        QTemporaryDir dir;
        TrackDrms d = TrackLog2DRMSFile(CopyData(dir, QStringLiteral("waypoints.txt")));
        QVERIFY(!d.found);
        QVERIFY(d.text.isEmpty());
        QVERIFY(!TrackLog2DRMSFile(dir.filePath(QStringLiteral("none.txt"))).error.isEmpty());

        const QString tracks = CopyData(dir, QStringLiteral("tracks.txt"));
        d = TrackLog2DRMSFile(tracks);
        QVERIFY(d.found);
        QCOMPARE(d.points, 12);
        QVERIFY(!d.truncated);
        QString error;
        QVERIFY2(AppendDrmsLine(tracks, d.text, &error), qPrintable(error));
        const QStringList lines = Lines(tracks);
        QCOMPARE(lines.size(), 14);
        QCOMPARE(lines.last(), QStringLiteral("# ") + d.text);
        // The note line is passed over by every reader of the file.
        QCOMPARE(TrackLog2DRMSFile(tracks).text, d.text);
        const WptConversion k = ConvertFile(QStringLiteral("waypoint/tracks.txt"));
        LineSource again(lines);
        const WptConversion k2 = ConvertWptToKel(again, WptOptions());
        QCOMPARE(k2.lines, k.lines);
        QCOMPARE(k2.skippedUnsupported, 0);
    }

    void drmsOfALongLogSaysItIsPartial() {
        QStringList lines;
        for (int i = 0; i < kMaxPositions + 10; ++i)
            lines << QStringLiteral("TP,D, 35.%1, 139.0,,,0").arg(i, 5, 10, QLatin1Char('0'));
        LineSource source(lines);
        const TrackDrms d = TrackLog2DRMS(source);
        QCOMPARE(d.points, kMaxPositions + 10);
        QVERIFY(d.truncated);
        QVERIFY(!d.text.isEmpty());
    }
};

KEL_TEST(TrackLogTest);
#include "tst_TrackLog.moc"
