#include <cmath>

#include "TestMain.h"
#include "geo/Coordinates.h"
#include "geo/Datum.h"
#include "geo/Geometry.h"

using namespace kel;

namespace {

double Dms(int d, int m, double s) { return d + m / 60.0 + s / 3600.0; }

double MetresBetween(double lat1, double lon1, double lat2, double lon2) {
    // Local plane: a few metres apart, so the flat-earth distance is exact enough.
    const double north = (lat2 - lat1) * 111320.0;
    const double east = (lon2 - lon1) * 111320.0 * std::cos(lat1 * M_PI / 180);
    return std::hypot(north, east);
}

}  // namespace

class DatumTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The origin of the Japanese geodetic datum, whose coordinates are published in both
    // datums (Survey Act enforcement order): Tokyo datum 35°39'17.5148" N 139°44'40.5020" E,
    // JGD2000 (within a metre of WGS84) 35°39'29.1572" N 139°44'28.8759" E. The Tokyo-WGS84
    // shift there is about 460 m; the three-parameter shift reaches it within a few metres.
    void controlPoint() {
        const double tokyoLat = Dms(35, 39, 17.5148), tokyoLon = Dms(139, 44, 40.5020);
        const double wgsLat = Dms(35, 39, 29.1572), wgsLon = Dms(139, 44, 28.8759);
        double lat = tokyoLat, lon = tokyoLon;
        DatumShift(Datum::Tokyo(), Datum::Wgs84()).Apply(lat, lon);
        const double forward_m = MetresBetween(lat, lon, wgsLat, wgsLon);
        qInfo("Tokyo -> WGS84 at the datum origin: %.2f m from the published value (shift %.0f m)",
              forward_m, MetresBetween(tokyoLat, tokyoLon, wgsLat, wgsLon));
        QVERIFY2(forward_m < 5, qPrintable(QString::number(forward_m)));
        lat = wgsLat, lon = wgsLon;
        DatumShift(Datum::Wgs84(), Datum::Tokyo()).Apply(lat, lon);
        QVERIFY(MetresBetween(lat, lon, tokyoLat, tokyoLon) < 5);
        // There and back lands where it started, far below the 0.1" a script holds.
        DatumShift(Datum::Tokyo(), Datum::Wgs84()).Apply(lat, lon);
        QVERIFY(MetresBetween(lat, lon, wgsLat, wgsLon) < 0.01);
    }

    void shiftsOnlyBetweenKnownDifferentDatums_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("moves");
        QTest::newRow("tokyo to wgs84") << "tokyo" << "WGS84" << true;
        QTest::newRow("jgd2011 to tokyo") << "JGD2011" << "" << true;
        QTest::newRow("same datum") << "Tokyo" << "tokyo" << false;
        QTest::newRow("wgs84 and jgd2000") << "wgs-84" << "jgd2000" << false;
        QTest::newRow("unknown source") << "clarke" << "wgs84" << false;
        QTest::newRow("unknown target") << "wgs84" << "nad27" << false;
    }
    void shiftsOnlyBetweenKnownDifferentDatums() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, moves);
        double lat = 35, lon = 135;
        DatumShift(DatumOfGeorefSystem(from), DatumOfGeorefSystem(to)).Apply(lat, lon);
        QCOMPARE(lat != 35 || lon != 135, moves);
    }

    void names_data() {
        QTest::addColumn<bool>("georef");  // a georef system, else a Waypoint+ datum line
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        const int tokyo = int(DatumKind::kTokyo), wgs = int(DatumKind::kWgs84), unknown = int(DatumKind::kUnknown);
        QTest::newRow("georef empty") << true << "" << tokyo << "tokyo";
        QTest::newRow("georef tokyo") << true << " tokyo " << tokyo << "tokyo";
        QTest::newRow("georef JGD2000") << true << "JGD2000" << wgs << "JGD2000";
        QTest::newRow("georef other") << true << "bessel-local" << unknown << "bessel-local";
        QTest::newRow("wpt tokyo mean")
            << false << "Tokyo mean ,Bessel 1841,739.845,0.10037483,-128,481,664" << tokyo << "Tokyo mean";
        QTest::newRow("wpt WGS 84") << false << "WGS 84,WGS 84,0,0,0,0,0" << wgs << "WGS 84";
        QTest::newRow("wpt unknown") << false << "Old Hawaiian ,Clarke 1866,-69.4,-0.37264639,61,-285,-181"
                                     << unknown << "Old Hawaiian";
    }
    void names() {
        QFETCH(bool, georef);
        QFETCH(QString, text);
        QFETCH(int, kind);
        QFETCH(QString, name);
        const Datum d = georef ? DatumOfGeorefSystem(text) : DatumOfWptText(text);
        QCOMPARE(int(d.kind), kind);
        QCOMPARE(d.name, name);
    }

    void scriptDatumFromGeoref() {
        const QStringList texts{QStringLiteral("mapserver script ver=\"1.0\";"),
                                QStringLiteral("\t\tpoint\toid=\"1\";"),
                                QStringLiteral("\t\tgeoref\tsystem=\"wgs84\";")};
        QCOMPARE(DatumOfCommands(texts).kind, DatumKind::kWgs84);
        QCOMPARE(DatumOfCommands(texts.mid(0, 2)).kind, DatumKind::kTokyo);
        // Read from a file's lines, the source is left where it was.
        LineSource lines(texts);
        QCOMPARE(DatumOfScript(lines).kind, DatumKind::kWgs84);
        QCOMPARE(lines.LineNumber(), 0);
    }
};

KEL_TEST(DatumTest);
#include "tst_Datum.moc"
