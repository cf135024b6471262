#include <cmath>

#include "SpatialTestUtil.h"
#include "TestMain.h"
#include "geo/Geometry.h"
#include "geo/NearestPos.h"
#include "geo/SpatialSelect.h"

using namespace kel;
using namespace kel::test;

namespace {

QStringList Figures() {
    return {
        Cmd("line", Pos({{35, 135}, {35, 135.1}, {35.1, 135.1}})),  // 0
        Cmd("area", Pos({{36, 135}, {36, 135.1}, {36.1, 135.1}})),  // 1
        Cmd("rect", Pos({{37, 135}, {37.1, 135.1}})),               // 2
        Cmd("circle", Pos({{38, 135}}), "r=\"1km\""),                // 3
        Cmd("point", Pos({{39, 135}})),                             // 4
        Cmd("point", QString()),                                    // 5
        QStringLiteral("disp all=\"on\";"),                         // 6
        Cmd("rect", Pos({{40, 135}})),                              // 7
        Cmd("area", Pos({{41, 135}, {41, 135.1}})),                 // 8
    };
}

// `count` positions northward from (35,135) in steps of 0.001 degrees.
QString LongLine(int count) {
    QStringList parts;
    for (int i = 0; i < count; ++i) parts << Pos({{35 + i * 0.001, 135}});
    return parts.join(QLatin1Char(','));
}

// A row of the nearest-position table: the query and the figure, node position and node
// flag expected (index -1: nothing found).
void NearestRow(const char* name, NearestPosQuery q, int index, double node, bool atNode) {
    QTest::newRow(name) << q.lat_deg << q.lon_deg << q.searchDistance_km << q.tolerance_km
                        << q.excludeIndex << q.nodesOnly << index << node << atNode;
}

}  // namespace

class SpatialNearestTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nearestPos_data() {
        for (const char* c : {"lat", "lon", "search", "tolerance"}) QTest::addColumn<double>(c);
        QTest::addColumn<int>("exclude");
        QTest::addColumn<bool>("nodesOnly");
        QTest::addColumn<int>("index");
        QTest::addColumn<double>("node");
        QTest::addColumn<bool>("atNode");
        NearestRow("side of a line", {35.001, 135.05, 1}, 0, 1.5, false);
        NearestRow("node of a line", {34.9999, 135.1002, 1}, 0, 2.0, true);
        NearestRow("nodes only", {35.001, 135.04, 1, 0, -1, true}, 0, 1.0, true);
        NearestRow("closing side of an area", {36.05, 135.049, 1}, 1, 3.505, false);
        NearestRow("closing side of a rect", {37.05, 134.999, 1}, 2, 4.5, false);
        NearestRow("circle rim", {38.0095, 135.0, 1}, 3, 1.0, false);
        NearestRow("circle centre", {38.0001, 135.0, 1}, 3, 1.0, true);
        NearestRow("one-corner rect", {40.0001, 135.0, 1}, 7, 1.0, true);
        NearestRow("area of two positions", {41.001, 135.05, 1}, 8, 1.5, false);
        NearestRow("outside every search box", {35.5, 135.05, 1}, -1, 0, false);
        NearestRow("wide search box", {35.5, 135.05, 20}, 0, 3.0, true);
        NearestRow("beyond the tolerance", {35.001, 135.05, 1, 0.05}, -1, 0, false);
        NearestRow("excluded line", {35.001, 135.05, 1, 0, 0}, -1, 0, false);
    }
    void nearestPos() {
        QFETCH(double, lat);
        QFETCH(double, lon);
        QFETCH(double, search);
        QFETCH(double, tolerance);
        QFETCH(int, exclude);
        QFETCH(bool, nodesOnly);
        QFETCH(int, index);
        QFETCH(double, node);
        QFETCH(bool, atNode);
        EditorFixture f;
        SetCommands(f.editor, Figures());
        const NearestPos n =
            GetNearestPos(f.editor, {lat, lon, search, tolerance, exclude, nodesOnly});
        QCOMPARE(n.index, index);
        QCOMPARE(f.editor.Title(), f.editor.BaseTitle());
        if (index < 0) {
            QCOMPARE(NearestPosText(n), QString());
            return;
        }
        QVERIFY2(std::abs(n.nodePosition - node) < 0.01, qPrintable(NumText(n.nodePosition)));
        QCOMPARE(n.atNode, atNode);
        // The point found lies at the distance reported: exactly for a node; for a foot on a
        // side the reported distance is measured in the plane without reduction for latitude,
        // which never falls below the distance on the sphere.
        const double toPoint = CalcDistance(lat, lon, n.lat_deg, n.lon_deg);
        if (atNode)
            QVERIFY(std::abs(toPoint - n.distance_km) < 1e-9);
        else
            QVERIFY(toPoint <= n.distance_km + 1e-6);
        QCOMPARE(n.figureType, CommandWord(f.editor.CommandTextAt(index)));
        QVERIFY(NearestPosText(n).startsWith(QLatin1Char('[') + QString::number(index) +
                                             QLatin1Char(']') + n.figureType + '('));
    }

    // A line at the position limit, and one beyond it whose excess is not read.
    void nearestAtThePositionLimit() {
        EditorFixture f;
        SetCommands(f.editor, {Cmd("line", LongLine(kMaxPositions)),
                               Cmd("line", LongLine(kMaxPositions + 40))});
        const double endLat = 35 + (kMaxPositions - 1) * 0.001;
        NearestPos n = GetNearestPos(f.editor, {endLat + 0.0001, 135, 1, 0, -1, false});
        QCOMPARE(n.index, 0);
        QCOMPARE(n.nodePosition, double(kMaxPositions));
        QVERIFY(n.atNode);
        n = GetNearestPos(f.editor, {endLat + 0.03, 135, 1, 0, 0, false});
        QCOMPARE(n.index, 1);
        QCOMPARE(n.nodePosition, double(kMaxPositions));
    }

    void figureDistance_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<double>("expected");  // -1: no value
        const QString p = Cmd("point", Pos({{35.05, 135.05}}));
        const QString square =
            Cmd("area", Pos({{35, 135}, {35, 135.1}, {35.1, 135.1}, {35.1, 135}}));
        const QString c1 = Cmd("circle", Pos({{35, 135}}), "r=\"1km\"");
        QTest::newRow("point to point") << p << Cmd("point", Pos({{35.05, 135.15}}))
                                        << CalcDistance(35.05, 135.05, 35.05, 135.15);
        QTest::newRow("point inside an area") << p << square << 0.0;
        QTest::newRow("point off a line's side") << Cmd("point", Pos({{35.01, 135.05}}))
                                                 << Cmd("line", Pos({{35, 135}, {35, 135.1}}))
                                                 << CalcDistance(35.01, 0, 35, 0);
        QTest::newRow("circles apart") << c1 << Cmd("circle", Pos({{35, 135.1}}), "r=\"2000\"")
                                       << CalcDistance(35, 135, 35, 135.1) - 3;
        QTest::newRow("line through a circle, ends outside")
            << c1 << Cmd("line", Pos({{35, 134.9}, {35, 135.1}})) << 0.0;
        QTest::newRow("crossing lines") << Cmd("line", Pos({{35, 135}, {35.1, 135.1}}))
                                        << Cmd("line", Pos({{35.1, 135}, {35, 135.1}})) << 0.0;
        QTest::newRow("line inside an area, no node on the other")
            << Cmd("line", Pos({{35.04, 135.04}, {35.06, 135.06}})) << square << 0.0;
        QTest::newRow("one-corner rect is its position")
            << Cmd("rect", Pos({{35, 135}}), "width=\"9000\"") << Cmd("point", Pos({{35, 135.1}}))
            << CalcDistance(35, 135, 35, 135.1);
        QTest::newRow("area of two positions is its side")
            << Cmd("area", Pos({{35, 135}, {35, 135.1}})) << Cmd("point", Pos({{35.01, 135.05}}))
            << CalcDistance(35.01, 0, 35, 0);
        QTest::newRow("no position") << p << Cmd("point", QString()) << -1.0;
    }
    void figureDistance() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(double, expected);
        const auto d = FigureToFigureDistance(a, CommandWord(a), b, CommandWord(b));
        const auto back = FigureToFigureDistance(b, CommandWord(b), a, CommandWord(a));
        if (expected < 0) {
            QVERIFY(!d && !back);
            return;
        }
        QVERIFY(d && back);
        QVERIFY2(std::abs(*d - expected) < 1e-9, qPrintable(NumText(*d)));
        QVERIFY2(std::abs(*back - expected) < 1e-9, qPrintable(NumText(*back)));
    }
};

KEL_TEST(SpatialNearestTest);
#include "tst_SpatialNearest.moc"
