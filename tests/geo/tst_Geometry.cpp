#include <cmath>
#include <numbers>
#include <vector>

#include "TestMain.h"
#include "common/Values.h"
#include "geo/Geometry.h"
#include "geo/PointInOutline.h"

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

// Outlines as "lat,lon;lat,lon;..." in degrees, closed.
std::vector<Edge> Closed(const QString& outline) {
    std::vector<double> lat, lon;
    for (const QString& p : outline.split(';', Qt::SkipEmptyParts)) {
        lat.push_back(Val(p.section(',', 0, 0)));
        lon.push_back(Val(p.section(',', 1, 1)));
    }
    return OutlineEdges(lat, lon, true);
}

}  // namespace

class GeometryTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void distance_data() {
        for (const char* c : {"lat1", "lon1", "lat2", "lon2"}) QTest::addColumn<double>(c);
        QTest::newRow("across the date line") << 10.0 << 179.5 << 10.0 << -179.5;
        QTest::newRow("nearly antipodal") << 10.0 << 20.0 << -10.0 << -159.999;
        // Half the circumference, not a division by zero.
        QTest::newRow("antipodal") << 10.0 << 20.0 << -10.0 << -160.0;
        QTest::newRow("pole to pole") << 90.0 << 0.0 << -90.0 << 0.0;
    }
    void distance() {
        QFETCH(double, lat1);
        QFETCH(double, lon1);
        QFETCH(double, lat2);
        QFETCH(double, lon2);
        const double d = CalcDistance(lat1, lon1, lat2, lon2);
        QVERIFY(std::isfinite(d) && d >= 0);
        const double expected = Haversine_km(lat1, lon1, lat2, lon2);
        QVERIFY2(std::abs(d - expected) <= 1e-6 * std::max(1.0, expected),
                 qPrintable(NumText(d) + " vs " + NumText(expected)));
        QCOMPARE(CalcDistance(lat2, lon2, lat1, lon1), d);
        QCOMPARE(CalcDistance(NumText(lat1), NumText(lon1), NumText(lat2), NumText(lon2)), d);
    }

    void smallFunctions() {
        // A segment of coincident ends is its position, not a division by zero.
        const SegmentNearest c = SegmentDistance(35.1, 135.1, 35, 135, 35, 135);
        QCOMPARE(c.distance_km, CalcDistance(35.1, 135.1, 35.0, 135.0));
        QCOMPARE(c.lat_deg, 35.0);
        QCOMPARE(c.lon_deg, 135.0);
        QCOMPARE(c.fraction, 0.0);
        QCOMPARE(FormatNumber(CalcDistance("35", "135", "36", "135"), u"0.0000"),
                 QStringLiteral("111.3066"));
        QCOMPARE(CalcDistance("x", "", "0", "0"), 0.0);
        QCOMPARE(ArcSin(1.0000000000000002), std::numbers::pi / 2);  // rounded past one
        QCOMPARE(ArcSin(-7.0), -std::numbers::pi / 2);
        const std::pair<QString, double> radii[] = {{"1.5km", 1.5}, {"300", 0.3}, {" 2 KM ", 2},
                                                    {"500M", 0.5},  {"", 0},      {"KM", 0},
                                                    {"abc", 0}};
        for (const auto& [text, km] : radii) QCOMPARE(ParseRadius(text), km);
        // The strict reading agrees where it reads, and refuses what the lenient one ignores.
        for (const auto& [text, km] : {std::pair<QString, double>{"1.5km", 1.5}, {" 2 KM ", 2},
                                       {"300", 0.3}, {"500M", 0.5}, {"1e3m", 1}}) {
            double r = -1;
            QVERIFY2(TryParseRadius(text, &r), qPrintable(text));
            QCOMPARE(r, km);
            QCOMPARE(r, ParseRadius(text));
        }
        for (const char* bad : {"", "KM", "abc", "3 miles", "1,5KM", "2 K M", "1.5kmh"})
            QVERIFY2(!TryParseRadius(QString::fromLatin1(bad)), bad);
        QCOMPARE(FormatMeasure(12.3456789, 4.32109, MeasureText::Area), "12.345679 km^2");
        QCOMPARE(FormatAreaLength(12345678.9999999, 0.0005), "12345679.000000 km^2  / 0.001 km");
    }

    void inside_data() {
        QTest::addColumn<QString>("outline");
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lon");
        QTest::addColumn<int>("votes");
        QTest::addColumn<bool>("inside");
        const QString square = "0,0;0,1;1,1;1,0", diamond = "0,1;1,2;2,1;1,0";
        // A "C" open to the north: a bar along the south and two arms; the notch between.
        const QString cShape = "0,0;0,3;3,3;3,2;1,2;1,1;3,1;3,0";
        QTest::newRow("square centre") << square << 0.5 << 0.5 << 6 << true;
        // Positions on an edge are decided by the six shifted rays.
        QTest::newRow("on the west edge") << square << 0.5 << 0.0 << 2 << false;
        QTest::newRow("on the north edge") << square << 1.0 << 0.5 << 5 << true;
        QTest::newRow("3-3 tie, sloping edge") << diamond << 0.5 << 1.5 << 3 << true;
        // The unshifted rays from the centre run through corners; the shifted ones decide.
        QTest::newRow("diamond centre") << diamond << 1.0 << 1.0 << 4 << true;
        QTest::newRow("notch of a C") << cShape << 2.0 << 1.5 << 0 << false;
        QTest::newRow("arm of a C") << cShape << 2.0 << 2.5 << 6 << true;
        QTest::newRow("no outline") << "" << 0.0 << 0.0 << 0 << false;
    }
    void inside() {
        QFETCH(QString, outline);
        QFETCH(double, lat);
        QFETCH(double, lon);
        QFETCH(int, votes);
        QFETCH(bool, inside);
        const std::vector<Edge> edges = Closed(outline);
        QCOMPARE(PntLocVotes(edges, lat, lon), votes);
        QCOMPARE(PntLoc(edges, lat, lon), inside);
    }
};

KEL_TEST(GeometryTest);
#include "tst_Geometry.moc"
