#include <QTemporaryDir>

#include "TestMain.h"
#include "waypoint/WptRecord.h"
#include "waypoint/WptStamp.h"

using namespace kel;

namespace {

WptRecord ReadOne(const QString& line) {
    LineSource source(QStringList{line});
    return ReadWptRecord(source);
}

using Fields = std::array<QString, 7>;

}  // namespace

class WptRecordTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splitFields_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("maxFields");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("blanks dropped") << "WP , DMS ,AB    , 35.1" << 0
                                        << QStringList{"WP", "DMS", "AB", "35.1"};
        QTest::newRow("quoted comma") << "a,\"b,c\",d" << 0 << QStringList{"a", "b,c", "d"};
        QTest::newRow("quoted keeps blanks") << "a,\" b \",c" << 0 << QStringList{"a", " b ", "c"};
        QTest::newRow("doubled quote") << "a,\"say \"\"hi\"\"\"" << 0
                                       << QStringList{"a", "say \"hi\""};
        QTest::newRow("trailing empty") << "a,b," << 0 << QStringList{"a", "b", ""};
        QTest::newRow("last takes rest") << "WP,x,y,one, two,three" << 4
                                         << QStringList{"WP", "x", "y", "one, two,three"};
        QTest::newRow("last quoted unquoted") << "WP,x,\"a,b\"" << 3
                                              << QStringList{"WP", "x", "a,b"};
        QTest::newRow("unclosed quote runs to end") << "a,\"b,c" << 0 << QStringList{"a", "b,c"};
    }
    void splitFields() {
        QFETCH(QString, line);
        QFETCH(int, maxFields);
        QFETCH(QStringList, fields);
        QCOMPARE(SplitWptFields(line, maxFields), fields);
    }

    // Every kind of line, and what the reader makes of it.
    void readRecord_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("malformed");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("waypoint")
            << "WP,DMS,AB    , 35.301234, 139.450000,06/21/2000,10:22:00,CRTD 10:22 21-JUN-00"
            << "WP" << false
            << QStringList{"DMS", "AB", "35.301234", "139.450000", "06/21/2000", "10:22:00",
                           "CRTD 10:22 21-JUN-00"};
        QTest::newRow("comment with commas unquoted")
            << "RP,DMS,X, 35.1, 139.1,06/21/2000,10:00:00,one, two" << "RP" << false
            << QStringList{"DMS", "X", "35.1", "139.1", "06/21/2000", "10:00:00", "one, two"};
        QTest::newRow("waypoint without comment")
            << "WP,DMS,AB, 35.1, 139.1,06/21/2000,10:00:00" << "WP" << false
            << QStringList{"DMS", "AB", "35.1", "139.1", "06/21/2000", "10:00:00", ""};
        QTest::newRow("lower-case type and format")
            << "wp,dms,AB, 35.1, 139.1" << "WP" << false
            << QStringList{"DMS", "AB", "35.1", "139.1", "", "", ""};
        QTest::newRow("route header") << "RN,3,Kamakura walk " << "RN" << false
                                      << QStringList{"3", "Kamakura walk", "", "", "", "", ""};
        QTest::newRow("track point") << "TP,DMS, 35.1, 139.1,06/21/2000,10:00:00,1" << "TP"
                                     << false
                                     << QStringList{"DMS", "35.1", "139.1", "06/21/2000",
                                                    "10:00:00", "1", ""};
        QTest::newRow("datum whole") << "Datum,Tokyo mean ,Bessel 1841,739.845" << "Datum"
                                     << false
                                     << QStringList{"Tokyo mean ,Bessel 1841,739.845", "", "",
                                                    "", "", "", ""};
        QTest::newRow("KEL coordinates") << "TP,KEL, 35/30/12.3, 139/45/00.0" << "TP" << false
                                         << QStringList{"KEL", "35/30/12.3", "139/45/00.0", "",
                                                        "", "", ""};
        QTest::newRow("unsupported type") << "AL,1,2,3" << "" << false
                                          << QStringList{"command [AL] is not suppoted", "",
                                                         "", "", "", "", ""};
        QTest::newRow("latitude not a number")
            << "WP,DMS,AB, abc, 139.1,06/21/2000,10:00:00," << "" << true << QStringList{};
        QTest::newRow("latitude with text after it")
            << "WP,DMS,AB, 35.1x, 139.1" << "" << true << QStringList{};
        QTest::newRow("latitude out of range") << "TP,DMS, 95.0, 139.1,,,1" << "" << true
                                               << QStringList{};
        QTest::newRow("longitude empty") << "TP,DMS, 35.0, ,,,1" << "" << true << QStringList{};
        QTest::newRow("too few fields") << "WP,DMS,AB, 35.1" << "" << true << QStringList{};
        QTest::newRow("unknown format") << "WP,DDD,AB, 35.1, 139.1" << "" << true
                                        << QStringList{};
    }
    void readRecord() {
        QFETCH(QString, line);
        QFETCH(QString, type);
        QFETCH(bool, malformed);
        QFETCH(QStringList, fields);
        const WptRecord r = ReadOne(line);
        QCOMPARE(r.type, type);
        QCOMPARE(r.malformed, malformed);
        QCOMPARE(r.line, qsizetype(1));
        if (malformed) {
            QVERIFY(r.field(1).startsWith(QStringLiteral("line 1: ")));
            return;
        }
        for (int i = 1; i <= 7; ++i) QCOMPARE(r.field(i), fields[i - 1]);
    }

    void readerSkipsBlankAndNoteLinesAndEndsWithEof() {
        LineSource source(QStringList{"", "   ", "# 1.5 m (note)", "RN,1,A", ""});
        const WptRecord r = ReadWptRecord(source);
        QCOMPARE(r.type, QStringLiteral("RN"));
        QCOMPARE(r.line, qsizetype(4));
        QCOMPARE(ReadWptRecord(source).type, QStringLiteral("eof"));
        QCOMPARE(ReadWptRecord(source).type, QStringLiteral("eof"));
    }

    void formatRecord_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("line");
        QTest::newRow("waypoint separators")
            << "WP" << QStringList{"DMS", "AB    ", "35.301234", "139.450000", "06/21/2000", "10:22:00", "c"}
            << "WP,DMS,AB    , 35.301234, 139.450000,06/21/2000,10:22:00,c";
        QTest::newRow("track point")
            << "TP" << QStringList{"DMS", "35.1", "139.1", "06/21/2000", "10:00:00", "1", ""}
            << "TP,DMS, 35.1, 139.1,06/21/2000,10:00:00,1";
        QTest::newRow("route header") << "RN" << QStringList{"1", "Walk ", "", "", "", "", ""}
                                      << "RN,1,Walk ";
        QTest::newRow("datum") << "Datum" << QStringList{kWptDatumText, "", "", "", "", "", ""}
                               << "Datum,Tokyo mean ,Bessel 1841,739.845,0.10037483,-128,481,664";
        QTest::newRow("unsupported is its text")
            << "" << QStringList{"command [AL] is not suppoted", "", "", "", "", "", ""}
            << "command [AL] is not suppoted";
        QTest::newRow("comma and quote quoted")
            << "RP" << QStringList{"DMS", "A,B", "35.1", "139.1", "", "", "say \"hi\""}
            << "RP,DMS,\"A,B\", 35.1, 139.1,,,\"say \"\"hi\"\"\"";
        QTest::newRow("comment blanks kept by quotes")
            << "WP" << QStringList{"DMS", "      ", "35.1", "139.1", "", "", " x "}
            << "WP,DMS,      , 35.1, 139.1,,,\" x \"";
        QTest::newRow("line break becomes blank")
            << "WP" << QStringList{"DMS", "A", "35.1", "139.1", "", "", "two\r\nlines"}
            << "WP,DMS,A, 35.1, 139.1,,,two lines";
    }
    void formatRecord() {
        QFETCH(QString, type);
        QFETCH(QStringList, fields);
        QFETCH(QString, line);
        Fields f;
        for (int i = 0; i < 7; ++i) f[size_t(i)] = fields[i];
        QCOMPARE(FormatWptRecord(type, f), line);
    }

    // Whatever a comment or name holds, it reads back as written (apart from a name's
    // trailing padding and line breaks, which a line cannot hold).
    void formattedRecordsReadBack_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("comment");
        QTest::newRow("plain") << "AB" << "Summit";
        QTest::newRow("commas") << "A,B" << "one, two, three";
        QTest::newRow("quotes") << "\"Q\"" << "a \"quoted\" word";
        QTest::newRow("blanks") << " lead" << "  both  ";
        QTest::newRow("japanese") << QString::fromUtf8("東京駅") << QString::fromUtf8("丸の内、北口");
        QTest::newRow("empty") << "" << "";
    }
    void formattedRecordsReadBack() {
        QFETCH(QString, name);
        QFETCH(QString, comment);
        const Fields f{"DMS", name, "35.301234", "-139.450000", "06/21/2000", "10:22:00", comment};
        const WptRecord r = ReadOne(FormatWptRecord(QStringLiteral("WP"), f));
        QCOMPARE(r.type, QStringLiteral("WP"));
        QCOMPARE(r.name(), name);
        QCOMPARE(r.comment(), comment);
        QCOMPARE(r.lon(), QStringLiteral("-139.450000"));
    }

    void detectDropKind_data() {
        QTest::addColumn<QString>("content");  // empty: no file
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::newRow("kel by name") << "" << " map.Kel " << "KEL";
        QTest::newRow("datum") << "Datum,Tokyo mean\r\n" << "a.TXT" << "WPT";
        QTest::newRow("lower-case wp") << "wp,DMS,AB, 35.1, 139.1\r\n" << "a.txt" << "WPT";
        QTest::newRow("leading blank lines") << "\r\n\r\n TP,DMS\r\n" << "a.txt" << "WPT";
        QTest::newRow("rn") << "RN,1,A\r\n" << "a.txt" << "WPT";
        QTest::newRow("other text") << "Name,Lat,Lon\r\nWP,1\r\n" << "a.txt" << "";
        QTest::newRow("empty file") << " " << "a.txt" << "";
        QTest::newRow("other extension") << "WP,DMS\r\n" << "a.csv" << "";
        QTest::newRow("missing txt") << "" << "missing.txt" << "";
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

    void dataFilesAreWaypointFiles() {
        QCOMPARE(DetectDropKind(test::DataPath("waypoint/waypoints.txt")), QStringLiteral("WPT"));
        QCOMPARE(DetectDropKind(test::DataPath("waypoint/lower_wp.txt")), QStringLiteral("WPT"));
        QCOMPARE(DetectDropKind(test::DataPath("waypoint/not_wpt.txt")), QString());
    }

    void stamps_data() {
        QTest::addColumn<QString>("stamp");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::newRow("no offset") << "CRTD 10:22 21-JUN-00" << 0 << "06/21/2000" << "10:22:00";
        QTest::newRow("offset 9") << "CRTD 10:22 21-JUN-00" << 9 << "06/21/2000" << "19:22:00";
        QTest::newRow("offset crosses midnight") << "CRTD 20:00 31-DEC-99" << 9 << "01/01/2000"
                                                 << "05:00:00";
        QTest::newRow("negative offset") << "CRTD 03:00 01-MAR-04" << -9 << "02/29/2004"
                                         << "18:00:00";
        QTest::newRow("year 49 is 2049") << "CRTD 00:00 01-JAN-49" << 0 << "01/01/2049" << "00:00:00";
        QTest::newRow("year 50 is 1950") << "CRTD 00:00 01-JAN-50" << 0 << "01/01/1950" << "00:00:00";
        // April and July are written APR and JUL and must come back as themselves; the old
        // spellings APL and JLY are read too.
        QTest::newRow("april") << "CRTD 09:30 10-APR-03" << 0 << "04/10/2003" << "09:30:00";
        QTest::newRow("july") << "CRTD 09:30 10-JUL-03" << 0 << "07/10/2003" << "09:30:00";
        QTest::newRow("apl") << "CRTD 09:30 10-APL-03" << 0 << "04/10/2003" << "09:30:00";
        QTest::newRow("lower-case month") << "CRTD 09:30 10-dec-03" << 0 << "12/10/2003" << "09:30:00";
        QTest::newRow("unknown month is january") << "CRTD 09:30 10-XYZ-03" << 0 << "01/10/2003"
                                                  << "09:30:00";
    }
    void stamps() {
        QFETCH(QString, stamp);
        QFETCH(int, offset);
        QFETCH(QString, date);
        QFETCH(QString, time);
        QString d, t;
        QVERIFY(ParseStamp(stamp, d, t, offset));
        QCOMPARE(d, date);
        QCOMPARE(t, time);
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
        QCOMPARE(MakeStamp(QTime(10, 22, 31), QDate(2000, 6, 21)),
                 QStringLiteral("CRTD 10:22 21-JUN-00"));
    }

    void badStampLeavesOutputs() {
        QString d = QStringLiteral("keep"), t = QStringLiteral("keep");
        QVERIFY(!ParseStamp(QStringLiteral("CRTD"), d, t, 9));
        QVERIFY(!ParseStamp(QStringLiteral("CRTD 25:99 41-JUN-00"), d, t, 9));
        QCOMPARE(d, QStringLiteral("keep"));
        QCOMPARE(t, QStringLiteral("keep"));
    }

    void extractStamp() {
        QCOMPARE(ExtractStamp(QStringLiteral("Lunch CRTD 00:30 10-APR-03 at noon")),
                 QStringLiteral("CRTD 00:30 10-APR-03"));
        QCOMPARE(ExtractStamp(QStringLiteral("no stamp")), QString());
        QCOMPARE(ExtractStamp(QStringLiteral("x CRTD 1")), QStringLiteral("CRTD 1"));
    }
};

KEL_TEST(WptRecordTest);
#include "tst_WptRecord.moc"
