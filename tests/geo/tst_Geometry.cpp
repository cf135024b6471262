#include <cmath>
#include <numbers>
#include <vector>

#include "TestMain.h"
#include "common/Values.h"
#include "geo/Geometry.h"

using namespace kel;

namespace {

// The haversine form of the great-circle distance on the same sphere, written out here
// independently of the program's half-angle form.
double Haversine_km(double lat1, double lon1, double lat2, double lon2) {
    const double rad = 3.1415926 / 180;
    const double p1 = lat1 * rad, p2 = lat2 * rad;
    const double hav = std::pow(std::sin((p2 - p1) / 2), 2) +
                       std::cos(p1) * std::cos(p2) * std::pow(std::sin((lon2 - lon1) * rad / 2), 2);
    return 2 * 6377.397155 * std::asin(std::min(1.0, std::sqrt(hav)));
}

}  // namespace

class GeometryTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void distance_data() {
        QTest::addColumn<double>("lat1");
        QTest::addColumn<double>("lon1");
        QTest::addColumn<double>("lat2");
        QTest::addColumn<double>("lon2");
        QTest::newRow("same position") << 35.0 << 135.0 << 35.0 << 135.0;
        QTest::newRow("one degree north") << 35.0 << 135.0 << 36.0 << 135.0;
        QTest::newRow("Tokyo to Osaka") << 35.681 << 139.767 << 34.702 << 135.495;
        QTest::newRow("Sapporo to Naha") << 43.064 << 141.347 << 26.212 << 127.681;
        QTest::newRow("along the equator") << 0.0 << 0.0 << 0.0 << 90.0;
        QTest::newRow("equator to pole") << 0.0 << 0.0 << 90.0 << 0.0;
        QTest::newRow("across the date line") << 10.0 << 179.5 << 10.0 << -179.5;
        QTest::newRow("south and west") << -33.9 << 151.2 << 51.5 << -0.1;
        QTest::newRow("a few metres") << 35.0 << 135.0 << 35.00001 << 135.00001;
        QTest::newRow("nearly antipodal") << 10.0 << 20.0 << -10.0 << -159.999;
        QTest::newRow("antipodal") << 10.0 << 20.0 << -10.0 << -160.0;
        QTest::newRow("pole to pole") << 90.0 << 0.0 << -90.0 << 0.0;
    }
    void distance() {
        QFETCH(double, lat1);
        QFETCH(double, lon1);
        QFETCH(double, lat2);
        QFETCH(double, lon2);
        const double d = CalcDistance(lat1, lon1, lat2, lon2);
        QVERIFY(std::isfinite(d));
        QVERIFY(d >= 0);
        const double expected = Haversine_km(lat1, lon1, lat2, lon2);
        QVERIFY2(std::abs(d - expected) <= 1e-6 * std::max(1.0, expected),
                 qPrintable(NumText(d) + " vs " + NumText(expected)));
        QCOMPARE(CalcDistance(lat2, lon2, lat1, lon1), d);
        QCOMPARE(CalcDistance(NumText(lat1), NumText(lon1), NumText(lat2), NumText(lon2)), d);
    }

    void distanceExamples() {
        QCOMPARE(CalcDistance("35", "135", "35", "135"), 0.0);
        QCOMPARE(FormatNumber(CalcDistance("35", "135", "36", "135"), u"0.0000"),
                 QStringLiteral("111.3066"));
        // Antipodal positions are half the circumference apart, not a division by zero.
        QVERIFY(std::abs(CalcDistance(10.0, 20.0, -10.0, -160.0) -
                         kDistanceFactor_km * std::numbers::pi / 2) < 1e-3);
        QVERIFY(std::abs(CalcDistance(90.0, 0.0, -90.0, 0.0) -
                         kDistanceFactor_km * std::numbers::pi / 2) < 1e-3);
        QCOMPARE(CalcDistance("x", "", "0", "0"), 0.0);
    }

    void arcSin_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("expected");
        QTest::newRow("zero") << 0.0 << 0.0;
        QTest::newRow("half") << 0.5 << std::asin(0.5);
        QTest::newRow("one") << 1.0 << std::numbers::pi / 2;
        QTest::newRow("rounded past one") << 1.0000000000000002 << std::numbers::pi / 2;
        QTest::newRow("far below") << -7.0 << -std::numbers::pi / 2;
    }
    void arcSin() {
        QFETCH(double, x);
        QFETCH(double, expected);
        QVERIFY(std::abs(ArcSin(x) - expected) < 1e-15);
    }

    void parseRadius_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("km");
        QTest::newRow("km") << "1.5km" << 1.5;
        QTest::newRow("m") << "300m" << 0.3;
        QTest::newRow("plain metres") << "300" << 0.3;
        QTest::newRow("KM with blanks") << " 2 KM " << 2.0;
        QTest::newRow("mixed case") << "3Km" << 3.0;
        QTest::newRow("upper M") << "500M" << 0.5;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("unit alone") << "KM" << 0.0;
        QTest::newRow("not a number") << "abc" << 0.0;
    }
    void parseRadius() {
        QFETCH(QString, text);
        QFETCH(double, km);
        QCOMPARE(ParseRadius(text), km);
    }

    void formatMeasure_data() {
        QTest::addColumn<double>("area");
        QTest::addColumn<double>("length");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("expected");
        QTest::newRow("combined") << 12.3456789 << 4.32109 << 3 << "12.345679 km^2  / 4.321 km";
        QTest::newRow("length") << 12.3456789 << 4.32109 << 1 << "4.321 km";
        QTest::newRow("area") << 12.3456789 << 4.32109 << 2 << "12.345679 km^2";
        QTest::newRow("zero") << 0.0 << 0.0 << 0 << "0.000000 km^2  / 0.000 km";
        QTest::newRow("large and rounding up") << 12345678.9999999 << 0.0005 << 0
                                               << "12345679.000000 km^2  / 0.001 km";
    }
    void formatMeasure() {
        QFETCH(double, area);
        QFETCH(double, length);
        QFETCH(int, mode);
        QFETCH(QString, expected);
        QCOMPARE(FormatMeasure(area, length, mode), expected);
        if (mode != 1 && mode != 2) QCOMPARE(FormatAreaLength(area, length), expected);
    }

    void area_data() {
        QTest::addColumn<QString>("lats");  // degrees joined by ";"
        QTest::addColumn<QString>("lons");
        QTest::addColumn<double>("expectedSquareOf");  // side in degrees of the square; 0: no area
        // A small square at (lat0, lon0): its area is close to the product of its sides.
        QTest::newRow("closed square") << "35;35;35.01;35.01;35" << "135;135.01;135.01;135;135"
                                       << 0.01;
        QTest::newRow("open square") << "35;35;35.01;35.01" << "135;135.01;135.01;135" << 0.01;
        QTest::newRow("other way round") << "35;35.01;35.01;35" << "135;135;135.01;135.01"
                                         << 0.01;
        QTest::newRow("started elsewhere") << "35.01;35.01;35;35" << "135.01;135;135;135.01"
                                           << 0.01;
        QTest::newRow("south and west") << "-20;-20;-19.99;-19.99" << "-60;-59.99;-59.99;-60"
                                        << 0.01;
        QTest::newRow("two positions") << "35;35.01" << "135;135.01" << 0.0;
        QTest::newRow("one position") << "35" << "135" << 0.0;
        QTest::newRow("none") << "" << "" << 0.0;
    }
    void area() {
        QFETCH(QString, lats);
        QFETCH(QString, lons);
        QFETCH(double, expectedSquareOf);
        std::vector<double> la, lo;
        QStringList laT = lats.isEmpty() ? QStringList() : lats.split(';');
        QStringList loT = lons.isEmpty() ? QStringList() : lons.split(';');
        for (const QString& t : laT) la.push_back(Val(t));
        for (const QString& t : loT) lo.push_back(Val(t));
        const double a = CalcArea(la, lo);
        QCOMPARE(CalcArea(laT, loT), a);
        if (expectedSquareOf == 0) {
            QCOMPARE(a, 0.0);
            return;
        }
        const double lat0 = la[0], lon0 = lo[0];
        const double ns = CalcDistance(lat0, lon0, lat0 + expectedSquareOf, lon0);
        const double ew = CalcDistance(lat0, lon0, lat0, lon0 + expectedSquareOf);
        QVERIFY2(std::abs(a - ns * ew) < 1e-3 * ns * ew,
                 qPrintable(NumText(a) + " vs " + NumText(ns * ew)));
    }

    void segment_data() {
        QTest::addColumn<double>("latP");
        QTest::addColumn<double>("lonP");
        QTest::addColumn<double>("nearLat");
        QTest::addColumn<double>("nearLon");
        QTest::addColumn<double>("fraction");
        // Segment A (0, 0) - B (0, 1) along the equator.
        QTest::newRow("above the middle") << 0.5 << 0.5 << 0.0 << 0.5 << 0.5;
        QTest::newRow("below a quarter") << -0.25 << 0.25 << 0.0 << 0.25 << 0.25;
        QTest::newRow("on the segment") << 0.0 << 0.75 << 0.0 << 0.75 << 0.75;
        QTest::newRow("beyond A") << 0.5 << -0.5 << 0.0 << 0.0 << 0.0;
        QTest::newRow("beyond B") << 0.5 << 1.5 << 0.0 << 1.0 << 1.0;
        QTest::newRow("at A") << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
    }
    void segment() {
        QFETCH(double, latP);
        QFETCH(double, lonP);
        QFETCH(double, nearLat);
        QFETCH(double, nearLon);
        QFETCH(double, fraction);
        const SegmentNearest s = SegmentDistance(latP, lonP, 0, 0, 0, 1);
        QVERIFY(std::abs(s.lat_deg - nearLat) < 1e-12);
        QVERIFY(std::abs(s.lon_deg - nearLon) < 1e-12);
        QVERIFY(std::abs(s.fraction - fraction) < 1e-12);
        // Along the equator the plane is true: the distance is that to the nearest point.
        QVERIFY(std::abs(s.distance_km - CalcDistance(latP, lonP, nearLat, nearLon)) < 1e-9);
    }

    void segmentWithCoincidentEnds() {
        const SegmentNearest s = SegmentDistance(35.1, 135.1, 35, 135, 35, 135);
        QCOMPARE(s.distance_km, CalcDistance(35.1, 135.1, 35.0, 135.0));
        QCOMPARE(s.lat_deg, 35.0);
        QCOMPARE(s.lon_deg, 135.0);
        QCOMPARE(s.fraction, 0.0);
    }
};

KEL_TEST(GeometryTest);
#include "tst_Geometry.moc"
