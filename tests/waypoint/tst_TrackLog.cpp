#include <QDir>
#include <QTemporaryDir>

#include "TestMain.h"
#include "WptTestUtil.h"
#include "geo/Geometry.h"
#include "waypoint/TrackLog.h"

using namespace kel;
using namespace kel::test;

class TrackLogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Hemisphere letters and the magnitude's degrees, minutes and seconds; a whole minute
    // is never written as 60 seconds.
    void paLogLine() {
        QCOMPARE(PaLogLine("01/02/2003", "00:00:00", "35.1833333333333", "0"),
                 QStringLiteral("03/01/02 00:00:00 N35:11:00.0 E0:00:00.0"));
        QCOMPARE(PaLogLine("6/1/2000", "08:00:00", "1", "-1"), QStringLiteral("00/06/01 08:00:00 N1:00:00.0 W1:00:00.0"));
    }

    void trackToRoute() {
        const QString datum = QStringLiteral("Datum,Tokyo mean ,Bessel 1841,739.845,0.10037483,-128,481,664");
        LineSource source(QStringList{
            datum, "WP,DMS,HOME  , 35.100000, 139.100000,06/21/2000,09:00:00,home", "RN,5,Old route",
            "RP,DMS,A, 35.100000, 139.100000,,,", "TP,DMS, 35.300000, 139.300000,06/21/2000,10:00:00,1",
            "TP,DMS, 35.300600, 139.300000,06/21/2000,10:01:00,0",
            "TP,DMS, 35.301200, 139.300000,06/21/2000,10:02:00,0",
            "TP,DMS, 35.301800, 139.300000,06/21/2000,10:03:00,0",
            "TP,KEL, 35/40/00.0, 139/40/00.0,06/22/2000,23:59:30,1"});
        const TrackLogResult r = ConvertTrackToRoute(source);
        QVERIFY(r.ok);
        QCOMPARE(r.tracks, 2);
        QCOMPARE(r.points, 5);
        const QStringList want{
            datum,
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
        QCOMPARE(Counts(Import(r.lines)), (QList<int>{1, 3, 0, 0, 0}));
    }

    // A script's tracks are dated now, through a stamp (to the minute) at -9 hours.
    void scriptTrackLog() {
        QTemporaryDir dir;
        const QString sample = CopyData(dir.path(), QStringLiteral("sample.kel"));
        FixedClock clock(QDateTime(QDate(2000, 6, 21), QTime(5, 30, 45)));
        const TrackLogResult r = ConvertTrackLog(QStringLiteral("WptPAlog"), sample, clock);
        QVERIFY(r.ok);
        QCOMPARE(r.written, QStringList{dir.filePath(QStringLiteral("sample-1.LOG"))});
        const QStringList lines = ReadTextFile(r.written[0]).lines;
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QStringLiteral("00/06/20 20:30:00 N35:20:00.0 E139:20:00.0"));
        QCOMPARE(lines[2], QStringLiteral("00/06/20 20:30:00 N35:21:00.0 E139:20:30.5"));
    }

    // No track, an unknown mode or a missing file: failure, and no file written.
    void nothingToConvert() {
        QTemporaryDir dir;
        const QString wp = CopyData(dir.path(), QStringLiteral("waypoints.txt"));
        for (const char* mode : {"WptTP", "WptPAlog", "Other"})
            QVERIFY(!ConvertTrackLog(QLatin1String(mode), wp, SystemClock()).ok);
        QVERIFY(!ConvertTrackLog(QStringLiteral("WptTP"), dir.filePath("none.txt"), SystemClock()).ok);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"waypoints.txt"});
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

    void drmsOfFiles() {
        const TrackDrms d = TrackLog2DRMSFile(DataPath("waypoint/tracks.txt"));
        QVERIFY(d.found);
        QCOMPARE(d.points, 12);
        QVERIFY(!TrackLog2DRMSFile(DataPath("waypoint/waypoints.txt")).found);
        QVERIFY(!TrackLog2DRMSFile(DataPath("waypoint/none.txt")).error.isEmpty());
    }

    void drmsOfALongLogMeasuresEveryPoint() {
        QStringList lines;
        for (int i = 0; i < kMaxPositions + 10; ++i)
            lines << QStringLiteral("TP,D, 35.%1, 139.0,,,0").arg(i, 5, 10, QLatin1Char('0'));
        LineSource source(lines);
        const TrackDrms d = TrackLog2DRMS(source);
        QCOMPARE(d.points, kMaxPositions + 10);
        // The points past the position-text limit move the mean north: the result differs
        // from the 2DRMS of the first kMaxPositions points.
        LineSource first(lines.mid(0, kMaxPositions));
        QVERIFY(!d.text.isEmpty());
        QVERIFY(d.text != TrackLog2DRMS(first).text);
    }
};

KEL_TEST(TrackLogTest);
#include "tst_TrackLog.moc"
