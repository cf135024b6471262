#include <cmath>
#include <vector>

#include "TestMain.h"
#include "common/Values.h"
#include "geo/PointInOutline.h"
#include "geo/PosList.h"

using namespace kel;

namespace {

// Outlines as "lat,lon;lat,lon;..." in degrees, closed by the test as the spatial tests do.
std::vector<Edge> Closed(const QString& outline) {
    std::vector<double> lat, lon;
    for (const QString& p : outline.split(';', Qt::SkipEmptyParts)) {
        lat.push_back(Val(p.section(',', 0, 0)));
        lon.push_back(Val(p.section(',', 1, 1)));
    }
    return OutlineEdges(lat, lon, true);
}

const char* const kSquare = "0,0;0,1;1,1;1,0";
const char* const kDiamond = "0,1;1,2;2,1;1,0";
// A "C" open to the north: a bar along the south and two arms; the notch is between them.
const char* const kCShape = "0,0;0,3;3,3;3,2;1,2;1,1;3,1;3,0";

}  // namespace

class PointInOutlineTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void inside_data() {
        QTest::addColumn<QString>("outline");
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lon");
        QTest::addColumn<int>("votes");
        QTest::addColumn<bool>("inside");
        QTest::newRow("square centre") << kSquare << 0.5 << 0.5 << 6 << true;
        QTest::newRow("outside the box") << kSquare << 2.0 << 2.0 << 0 << false;
        QTest::newRow("beside, on the same parallel") << kSquare << 0.5 << 1.5 << 0 << false;
        QTest::newRow("below, on the same meridian") << kSquare << -0.5 << 0.5 << 0 << false;
        // Positions on an edge are decided by the six shifted rays.
        QTest::newRow("on the west edge") << kSquare << 0.5 << 0.0 << 2 << false;
        QTest::newRow("on the south edge") << kSquare << 0.0 << 0.5 << 2 << false;
        QTest::newRow("on the north edge") << kSquare << 1.0 << 0.5 << 5 << true;
        QTest::newRow("on the east edge") << kSquare << 0.5 << 1.0 << 5 << true;
        QTest::newRow("3-3 tie on a sloping edge is inside") << kDiamond << 0.5 << 1.5 << 3
                                                             << true;
        QTest::newRow("3-3 tie at a corner is inside") << kSquare << 0.0 << 1.0 << 3 << true;
        // The unshifted rays from the centre run through corners and miss; the shifted
        // ones decide.
        QTest::newRow("diamond centre") << kDiamond << 1.0 << 1.0 << 4 << true;
        QTest::newRow("diamond box corner") << kDiamond << 0.2 << 0.2 << 0 << false;
        QTest::newRow("in the notch of a C") << kCShape << 2.0 << 1.5 << 0 << false;
        QTest::newRow("in the bar of a C") << kCShape << 0.5 << 1.5 << 6 << true;
        QTest::newRow("in an arm of a C") << kCShape << 2.0 << 2.5 << 6 << true;
        QTest::newRow("north of the notch") << kCShape << 4.0 << 1.5 << 0 << false;
        QTest::newRow("no outline") << "" << 0.0 << 0.0 << 0 << false;
        QTest::newRow("one position") << "0.5,0.5" << 0.5 << 0.5 << 2 << false;
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

    // An outline of the most positions a figure holds, read from its `pos` value.
    void outlineAtPositionLimit() {
        QStringList parts;
        for (int i = 0; i < kMaxPositions; ++i) {
            const double a = 2 * 3.14159265358979 * i / kMaxPositions;
            parts << NumText(35 + std::sin(a)) + "," + NumText(135 + std::cos(a));
        }
        const PosDegrees p = ParsePosDegrees(parts.join(','), CoordFormat::kD);
        QCOMPARE(p.count(), kMaxPositions);
        const std::vector<Edge> edges = OutlineEdges(p.lat, p.lon, true);
        QCOMPARE(edges.size(), size_t(kMaxPositions));
        QVERIFY(PntLoc(edges, 35, 135));
        QVERIFY(PntLoc(edges, 35.9, 135));
        QVERIFY(!PntLoc(edges, 36.1, 135));
    }
};

KEL_TEST(PointInOutlineTest);
#include "tst_PointInOutline.moc"
