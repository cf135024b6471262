#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include "TestMain.h"
#include "common/TextFile.h"
#include "exchange/ExchangeText.h"
#include "exchange/Gpx.h"
#include "script/Statement.h"

using namespace kel;
using namespace kel::test;

namespace {

QStringList ScriptLines(const QString& path) { return ReadTextFile(path).lines; }

// Imports GPX text (as a file) into script lines.
WptConversion ImportGpx(const QByteArray& gpx, const WptOptions& o = WptOptions(),
                        const Datum& datum = Datum::Tokyo()) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("in.gpx"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(gpx);
    f.close();
    return ConvertGpxToKel(path, o, datum);
}

QByteArray Gpx(const QByteArray& body) {
    return "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n" +
           body + "</gpx>\n";
}

// The command texts of a conversion as one text, for comparisons that show the difference.
QString Joined(const WptConversion& c) { return c.lines.join(QStringLiteral("\r\n")); }

}  // namespace

class GpxTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Degrees in lat and lon attributes: decimal numbers within the limit, nothing else.
    void readDegrees_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "35.6812220" << true << 35.681222;
        QTest::newRow("blanks and plus") << " +35.5 " << true << 35.5;
        QTest::newRow("negative") << "-12.25" << true << -12.25;
        QTest::newRow("exponent") << "3.55e1" << true << 35.5;
        QTest::newRow("no leading digit") << "-.5" << true << -0.5;
        QTest::newRow("at the limit") << "90" << true << 90.0;
        QTest::newRow("beyond the limit") << "90.0000001" << false << 0.0;
        QTest::newRow("comma") << "35,5" << false << 0.0;
        QTest::newRow("two signs") << "--1" << false << 0.0;
        QTest::newRow("trailing text") << "35.5N" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("nan") << "nan" << false << 0.0;
        QTest::newRow("infinite") << "1e400" << false << 0.0;
        QTest::newRow("full-width digits") << QString::fromUtf8("３５") << false << 0.0;
    }
    void readDegrees() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        double v = -1;
        QCOMPARE(ReadDegrees(text, 90, &v), ok);
        if (ok) QCOMPARE(v, value);
    }

    // GPX 1.1 and 1.0 files with Japanese names, times, extensions, a route with a broken
    // point and tracks of two segments import to the expected scripts; malformed points are
    // counted and never placed at 0,0.
    void importGolden_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QList<int>>("counts");  // waypoints, routes, tracks, malformed, changed
        QTest::newRow("gpx 1.1") << "sample" << QList<int>{3, 1, 2, 5, 1};
        QTest::newRow("gpx 1.0") << "gpx10" << QList<int>{1, 0, 1, 0, 0};
        QTest::newRow("cut off") << "truncated" << QList<int>{0, 0, 1, 1, 0};
    }
    void importGolden() {
        QFETCH(QString, name);
        QFETCH(QList<int>, counts);
        const WptConversion c = ConvertGpxToKel(DataPath("exchange/" + name + ".gpx"), WptOptions(), Datum::Tokyo());
        QVERIFY2(c.ok, qPrintable(c.error));
        QCOMPARE((QList<int>{c.waypoints, c.routes, c.tracks, c.skippedMalformed, c.changedValues}), counts);
        QCOMPARE(c.datumShift, QStringLiteral("WGS84 -> tokyo"));
        QVERIFY(!Joined(c).contains(QStringLiteral("\"0/00/00.0")));
        const QString expected = DataPath("exchange/" + name + ".expected.kel");
        if (qEnvironmentVariableIsSet("KEL_UPDATE_GOLDEN")) WriteTextFile(expected, c.lines);
        QCOMPARE(Joined(c), ScriptLines(expected).join(QStringLiteral("\r\n")));
    }

    // A GPX file and a WGS84 Waypoint+ file holding the same points import to the same
    // script: a route of 300 points is split over 256 the same way, tracks are marked by the
    // same step rule.
    void sameAsWaypointPlus_data() {
        QTest::addColumn<int>("step");
        QTest::newRow("step 0") << 0;
        QTest::newRow("step 7") << 7;
        QTest::newRow("step -1") << -1;
    }
    void sameAsWaypointPlus() {
        QFETCH(int, step);
        QByteArray gpx = "<wpt lat=\"35.25\" lon=\"139.5\"><name>AB</name><cmt>c, d</cmt></wpt>\n<rte><name>R</name>\n";
        QStringList wpt{QStringLiteral("Datum,WGS 84,WGS 84,0,0,0,0,0"),
                        QStringLiteral("WP,D,AB,35.25,139.5,,,c, d"), QStringLiteral("RN,1,R")};
        for (int i = 0; i < 300; ++i) {
            const QString lat = QString::number(35 + i * 0.001, 'f', 3), lon = QString::number(139 + i * 0.002, 'f', 3);
            gpx += "<rtept lat=\"" + lat.toLatin1() + "\" lon=\"" + lon.toLatin1() + "\"><name>P" +
                   QByteArray::number(i) + "</name></rtept>\n";
            wpt.append(QStringLiteral("RP,D,P%1,%2,%3,,,").arg(i).arg(lat, lon));
        }
        gpx += "</rte>\n<trk><trkseg>\n";
        for (int i = 0; i < 40; ++i) {
            const QString lat = QString::number(36 + i * 0.0005, 'f', 4);
            const QString time = QStringLiteral("%1:%2:00").arg(10 + i / 60, 2, 10, QLatin1Char('0')).arg(i % 60, 2, 10, QLatin1Char('0'));
            gpx += "<trkpt lat=\"" + lat.toLatin1() + "\" lon=\"140\"><time>2000-06-21T" + time.toLatin1() +
                   "Z</time></trkpt>\n";
            // The Waypoint+ file holds the times at the UTC offset (9 hours).
            const QString local = QStringLiteral("%1:%2:00").arg(19 + i / 60, 2, 10, QLatin1Char('0')).arg(i % 60, 2, 10, QLatin1Char('0'));
            wpt.append(QStringLiteral("TP,D,%1,140,06/21/2000,%2,%3").arg(lat, local).arg(i == 0 ? 1 : 0));
        }
        gpx += "</trkseg></trk>\n";
        WptOptions o;
        o.trackLogStep = step;
        const WptConversion fromGpx = ImportGpx(Gpx(gpx), o);
        LineSource lines(wpt);
        const WptConversion fromWpt = ConvertWptToKel(lines, o);
        QCOMPARE(fromGpx.splitFigures, 1);
        QCOMPARE(fromGpx.routePoints, 300);
        QCOMPARE(Joined(fromGpx), Joined(fromWpt));
    }

    // GPSBabel fills cmt and desc with the name of a point that has no comment; such a
    // comment is not carried into the script, so a round trip through GPSBabel adds nothing.
    void commentRepeatingTheNameIsDropped() {
        const WptConversion c = ImportGpx(Gpx("<wpt lat=\"35\" lon=\"139\"><name>X</name><cmt>X</cmt><desc>X</desc></wpt>\n"
                                              "<wpt lat=\"35\" lon=\"139\"><name>Y</name><cmt>Y</cmt><desc>d</desc></wpt>\n"));
        QStringList infos;
        for (const QString& t : c.lines)
            if (t.contains("[WP]")) infos.append(GetParamValue(t, "info"));
        QCOMPARE(infos, (QStringList{"", "d"}));
    }

    void notGpx_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("json") << QByteArray("{\"type\": \"FeatureCollection\"}");
        QTest::newRow("other xml") << QByteArray("<?xml version=\"1.0\"?><kml></kml>");
        QTest::newRow("empty") << QByteArray();
    }
    void notGpx() {
        QFETCH(QByteArray, bytes);
        const WptConversion c = ImportGpx(bytes);
        QVERIFY(!c.ok);
        QVERIFY2(c.error.contains(QStringLiteral("not a GPX file")), qPrintable(c.error));
    }

    // The GPS figures of a script export to the expected GPX; a script in WGS84 exports
    // its positions unshifted.
    void exportGolden() {
        TextReadResult in = ReadTextFile(DataPath("waypoint/sample.kel"));
        QVERIFY(in.ok);
        const GpxExport g = ConvertCommandsToGpx(in.lines, WptOptions());
        QCOMPARE((QList<int>{g.counts.waypoints, g.counts.routes, g.counts.tracks, g.counts.skippedMalformed}),
                 (QList<int>{5, 1, 1, 1}));
        const QString expected = DataPath("exchange/sample.expected.gpx");
        if (qEnvironmentVariableIsSet("KEL_UPDATE_GOLDEN")) WriteBytesFile(expected, g.gpx);
        QCOMPARE(QString::fromUtf8(g.gpx), QString::fromUtf8(ReadBytes(expected)));

        in.lines.insert(1, QStringLiteral("georef system=\"wgs84\";"));
        const GpxExport w = ConvertCommandsToGpx(in.lines, WptOptions());
        QVERIFY(w.gpx.contains("<wpt lat=\"35.681694\" lon=\"139.762972\">"));  // 35/40/54.1,139/45/46.7
    }

    // Script -> GPX -> script keeps every waypoint with its position, name, comment and
    // stamp, and every route and track line with its positions and route number. Route
    // point names and track times, which the line figures do not hold, settle after the
    // first round: a second round changes nothing.
    void roundTrip() {
        const WptConversion first = ConvertGpxToKel(DataPath("exchange/sample.gpx"), WptOptions(), Datum::Tokyo());
        const GpxExport out1 = ConvertCommandsToGpx(first.lines, WptOptions());
        const WptConversion second = ImportGpx(out1.gpx);
        const GpxExport out2 = ConvertCommandsToGpx(second.lines, WptOptions());
        const WptConversion third = ImportGpx(out2.gpx);
        QCOMPARE(Joined(third), Joined(second));
        QCOMPARE(ConvertCommandsToGpx(third.lines, WptOptions()).gpx, out2.gpx);
        // Waypoints, the route line and the track lines come back as they were.
        const auto figures = [](const WptConversion& c) {
            QStringList out;
            for (const QString& t : c.lines) {
                Slots s;
                const QString word = ParseStatement(t, s);
                if ((word == "point" && s[4].startsWith("[WP]")) || word == "line") out.append(s[3] + '|' + s[4] + '|' + s[8]);
            }
            return out;
        };
        QStringList a = figures(first), b = figures(second);
        QCOMPARE(a.size(), b.size());
        for (qsizetype i = 0; i < a.size(); ++i) {
            QCOMPARE(b[i].section('|', 0, 0), a[i].section('|', 0, 0));  // positions
            if (a[i].contains("[WP]") || a[i].contains("[RT]")) QCOMPARE(b[i], a[i]);
        }
    }

    // kel gpx-export and gpx-import through files; failures leave the target alone.
    void commandLine() {
        QTemporaryDir dir;
        const QString gpx = dir.filePath("out.gpx"), kel = dir.filePath("out.kel");
        KelRun r = RunKel({"gpx-export", DataPath("waypoint/sample.kel"), gpx});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.contains("converted 5 waypoints, 1 route (3 points), 1 track (4 points); 1 malformed record skipped"), qPrintable(r.out));
        QCOMPARE(ReadBytes(gpx), ReadBytes(DataPath("exchange/sample.expected.gpx")));
        r = RunKel({"gpx-import", DataPath("exchange/sample.gpx"), kel});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.err.contains("gpx-import: line 19: waypoint without a valid lat and lon"), qPrintable(r.err));
        QCOMPARE(ReadBytes(kel), ReadBytes(DataPath("exchange/sample.expected.kel")));
        r = RunKel({"gpx-import", DataPath("exchange/missing.gpx"), kel});
        QCOMPARE(r.status, 1);
        QCOMPARE(ReadBytes(kel), ReadBytes(DataPath("exchange/sample.expected.kel")));
        r = RunKel({"gpx-import", DataPath("exchange/sample.gpx")});
        QCOMPARE(r.status, 2);
    }
};

KEL_TEST(GpxTest);
#include "tst_Gpx.moc"
