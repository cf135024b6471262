#include <QTemporaryDir>
#include <cmath>

#include "TestMain.h"
#include "WptTestUtil.h"
#include "geo/Coordinates.h"
#include "waypoint/WptCoord.h"
#include "waypoint/WptStamp.h"

using namespace kel;
using namespace kel::test;

class WptRecordTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every kind of line, and what the reader makes of it (fields 1 to 7 joined by "|";
    // a malformed line gives no type and a description of the fault). Blanks around a
    // field are dropped; a quoted field keeps them; the last field takes the rest.
    void readRecord_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("fields");
        QTest::newRow("comment with commas unquoted") << "RP,DMS,X, 35.1, 139.1,06/21/2000,10:00:00,one, two"
                                                      << "RP" << "DMS|X|35.1|139.1|06/21/2000|10:00:00|one, two";
        QTest::newRow("lower case, blanks dropped") << "wp , dms ,AB    , 35.1,139.1" << "WP" << "DMS|AB|35.1|139.1|||";
        QTest::newRow("quoted name, doubled quote") << "WP,DMS,\" b,\"\"c\"\" \", 35.1, 139.1,,,\"a,b\""
                                                    << "WP" << "DMS| b,\"c\" |35.1|139.1|||a,b";
        QTest::newRow("unclosed quote runs to the end") << "WP,DMS,X, 35.1, 139.1,,,\"a, b" << "WP"
                                                        << "DMS|X|35.1|139.1|||a, b";
        QTest::newRow("route header") << "RN,3,Kamakura walk " << "RN" << "3|Kamakura walk|||||";
        QTest::newRow("track point") << "TP,DMS, 35.1, 139.1,06/21/2000,10:00:00,1" << "TP"
                                     << "DMS|35.1|139.1|06/21/2000|10:00:00|1|";
        QTest::newRow("datum whole") << "Datum,Tokyo mean ,Bessel 1841,739.845" << "Datum"
                                     << "Tokyo mean ,Bessel 1841,739.845||||||";
        QTest::newRow("unsupported type") << "AL,1,2,3" << "" << "command [AL] is not suppoted||||||";
        QTest::newRow("latitude with text after it") << "WP,DMS,AB, 35.1x, 139.1" << "" << "";
        QTest::newRow("longitude empty") << "TP,DMS, 35.0, ,,,1" << "" << "";
    }
    void readRecord() {
        QFETCH(QString, line);
        QFETCH(QString, type);
        QFETCH(QString, fields);
        const WptRecord r = ReadLine(line);
        QCOMPARE(r.type, type);
        QCOMPARE(r.malformed, fields.isEmpty());
        QCOMPARE(r.line, qsizetype(1));
        QStringList got;
        for (int i = 1; i <= 7; ++i) got << r.field(i);
        if (fields.isEmpty()) QVERIFY(r.field(1).startsWith(QStringLiteral("line 1: ")));
        else QCOMPARE(got.join('|'), fields);
    }

    // Fields 1 to 7 joined by "|" and the line written for them. A field holding "," or a
    // quote, or beginning with a blank, is quoted; a name keeps its padding unquoted.
    void formatRecord_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("line");
        QTest::newRow("unsupported is its text") << "" << "command [AL] is not suppoted||||||"
                                                 << "command [AL] is not suppoted";
        QTest::newRow("comma and quote quoted") << "RP" << "DMS|A,B|35.1|139.1|||say \"hi\""
                                                << "RP,DMS,\"A,B\", 35.1, 139.1,,,\"say \"\"hi\"\"\"";
        QTest::newRow("comment blanks kept by quotes") << "WP" << "DMS|      |35.1|139.1||| x "
                                                       << "WP,DMS,      , 35.1, 139.1,,,\" x \"";
        QTest::newRow("leading blank quoted") << "WP" << "DMS| lead|35.1|139.1|||\"Q\""
                                              << "WP,DMS,\" lead\", 35.1, 139.1,,,\"\"\"Q\"\"\"";
        QTest::newRow("line break becomes blank") << "WP" << "DMS|A|35.1|139.1|||two\r\nlines"
                                                  << "WP,DMS,A, 35.1, 139.1,,,two lines";
    }
    void formatRecord() {
        QFETCH(QString, type);
        QFETCH(QString, fields);
        QFETCH(QString, line);
        const QStringList parts = fields.split('|');
        std::array<QString, 7> f;
        for (int i = 0; i < 7; ++i) f[size_t(i)] = parts[i];
        QCOMPARE(FormatWptRecord(type, f), line);
        // What is written reads back as it was (a name without its padding).
        if (!type.isEmpty() && !fields.contains('\n')) {
            const WptRecord r = ReadLine(line);
            QCOMPARE(r.name(), f[1].trimmed().isEmpty() ? QString() : f[1]);
            QCOMPARE(r.comment(), f[6]);
        }
    }

    void detectDropKind_data() {
        QTest::addColumn<QString>("content");  // empty: no file
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::newRow("kel by name") << "" << " map.Kel " << "KEL";
        QTest::newRow("datum") << "Datum,Tokyo mean\r\n" << "a.TXT" << "WPT";
        QTest::newRow("lower-case wp") << "wp,DMS,AB, 35.1, 139.1\r\n" << "a.txt" << "WPT";
        QTest::newRow("leading blank lines") << "\r\n\r\n TP,DMS\r\n" << "a.txt" << "WPT";
        QTest::newRow("other text") << "Name,Lat,Lon\r\nWP,1\r\n" << "a.txt" << "";
        QTest::newRow("other extension") << "WP,DMS\r\n" << "a.csv" << "";
        QTest::newRow("missing txt") << "" << "missing.txt" << "";
        QTest::newRow("gpx by name") << "" << "track.GPX" << "GPX";
        QTest::newRow("geojson by name") << "" << "a.geojson" << "GEOJSON";
        QTest::newRow("json by name") << "" << "a.Json" << "GEOJSON";
    }
    void detectDropKind() {
        QFETCH(QString, content);
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(name.trimmed());
        if (!content.isEmpty()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content.toLatin1());
        }
        QCOMPARE(DetectDropKind(name.startsWith(QLatin1Char(' ')) ? QLatin1Char(' ') + path : path), kind);
    }

    // A stamp's date and time at an offset; no date: the stamp is refused and the outputs
    // keep what they held.
    void stamps_data() {
        QTest::addColumn<QString>("stamp");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::newRow("no offset") << "CRTD 10:22 21-JUN-00" << 0 << "06/21/2000" << "10:22:00";
        QTest::newRow("offset crosses midnight") << "CRTD 20:00 31-DEC-99" << 9 << "01/01/2000" << "05:00:00";
        QTest::newRow("negative offset") << "CRTD 03:00 01-MAR-04" << -9 << "02/29/2004" << "18:00:00";
        QTest::newRow("year 49 is 2049") << "CRTD 00:00 01-JAN-49" << 0 << "01/01/2049" << "00:00:00";
        QTest::newRow("year 50 is 1950") << "CRTD 00:00 01-JAN-50" << 0 << "01/01/1950" << "00:00:00";
        // April and July are written APR and JUL and must come back as themselves; the old
        // spellings APL and JLY are read too.
        QTest::newRow("april") << "CRTD 09:30 10-APR-03" << 0 << "04/10/2003" << "09:30:00";
        QTest::newRow("july") << "CRTD 09:30 10-JUL-03" << 0 << "07/10/2003" << "09:30:00";
        QTest::newRow("apl") << "CRTD 09:30 10-APL-03" << 0 << "04/10/2003" << "09:30:00";
        QTest::newRow("unknown month is january") << "CRTD 09:30 10-XYZ-03" << 0 << "01/10/2003" << "09:30:00";
        QTest::newRow("too short") << "CRTD" << 9 << "" << "";
        QTest::newRow("no such time") << "CRTD 25:99 41-JUN-00" << 9 << "" << "";
    }
    void stamps() {
        QFETCH(QString, stamp);
        QFETCH(int, offset);
        QFETCH(QString, date);
        QFETCH(QString, time);
        QString d = QStringLiteral("keep"), t = QStringLiteral("keep");
        QCOMPARE(ParseStamp(stamp, d, t, offset), !date.isEmpty());
        QCOMPARE(d, date.isEmpty() ? QStringLiteral("keep") : date);
        QCOMPARE(t, time.isEmpty() ? QStringLiteral("keep") : time);
    }

    void stampRoundTripEveryMonth() {
        for (int month = 1; month <= 12; ++month) {
            const QDate date(2001, month, 9);
            const QString stamp = MakeStamp(QTime(7, 5, 59), date);
            QCOMPARE(stamp.size(), kStampLength);
            QString d, t;
            QVERIFY2(ParseStamp(stamp, d, t, 0), qPrintable(stamp));
            QCOMPARE(d, WptDateText(date));
            QCOMPARE(t, QStringLiteral("07:05:00"));
        }
        QCOMPARE(MakeStamp(QTime(10, 22, 31), QDate(2000, 6, 21)), QStringLiteral("CRTD 10:22 21-JUN-00"));
    }

    // Dates and times as track logs write them, also at the ends of their ranges.
    void dateAndTimeTexts() {
        QCOMPARE(WptDateText(QDate(2000, 6, 21)), QStringLiteral("06/21/2000"));
        QCOMPARE(WptDateText(QDate(987, 12, 1)), QStringLiteral("12/01/0987"));
        QCOMPARE(WptDateText(QDate()), QString());
        QCOMPARE(WptTimeText(QTime(0, 0, 0)), QStringLiteral("00:00:00"));
        QCOMPARE(WptTimeText(QTime(23, 59, 59, 999)), QStringLiteral("23:59:59"));
        QCOMPARE(WptTimeText(QTime()), QString());
    }

    // Degrees in the "KEL" form: tenths of a second rounded half away from zero, the
    // degree the floor (minutes and seconds never negative), 60 seconds carried.
    void kelCoordinateTexts_data() {
        QTest::addColumn<double>("deg");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 35.5 << "35/30/00.0";
        QTest::newRow("zero") << 0.0 << "0/00/00.0";
        QTest::newRow("half a tenth rounds up") << 35 + 0.05 / 3600 << "35/00/00.1";
        QTest::newRow("carries into the degree") << 139.99999999 << "140/00/00.0";
        QTest::newRow("negative: floor degree") << -0.5 << "-1/30/00.0";
        QTest::newRow("negative near zero") << -0.000001 << "0/00/00.0";
        QTest::newRow("west") << -122.25 - 1.5 / 3600 << "-123/44/58.5";
        QTest::newRow("not a number") << qQNaN() << "0/00/00.0";
        QTest::newRow("far outside") << 12345678.5 << "12345678/30/00.0";
    }
    void kelCoordinateTexts() {
        QFETCH(double, deg);
        QFETCH(QString, text);
        QCOMPARE(KelCoordText(deg), text);
    }

    // Every text reads back within half a tenth of a second of its value.
    void kelCoordinateTextsReadBack() {
        for (int i = -1800000; i <= 1800000; i += 7919) {
            const double deg = i / 10000.0 + 0.0000123 * (i % 7);
            const QString text = KelCoordText(deg);
            const double back = PartsToDegrees(ReadCoordParts(QStringView(text), CoordFormat::kKEL));
            QVERIFY2(std::fabs(back - deg) <= 0.05 / 3600 + 1e-9, qPrintable(text));
        }
    }
};

KEL_TEST(WptRecordTest);
#include "tst_WptRecord.moc"
