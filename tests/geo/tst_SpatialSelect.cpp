// Selection by a reference figure (interior, exterior, container, Full Overlap), the nearest
// position on the figures of a list, and the distance between two figures.
#include <cmath>

#include "SpatialTestUtil.h"
#include "TestMain.h"
#include "geo/Geometry.h"
#include "geo/NearestPos.h"
#include "geo/SpatialSelect.h"

using namespace kel;
using namespace kel::test;

namespace {

// Figures around the rect (35.0,135.0)-(35.1,135.1).
QStringList AroundRect() {
    return {
        Cmd("point", Pos({{35.05, 135.05}})),                // 0 inside
        Cmd("point", Pos({{35.2, 135.2}})),                  // 1 outside
        Cmd("point", Pos({{35.0, 135.05}})),                 // 2 on an edge
        Cmd("line", Pos({{35.05, 135.05}, {35.2, 135.2}})),  // 3 half in
        Cmd("line", Pos({{35.05, 134.9}, {35.05, 135.2}})),  // 4 through
        Cmd("line", Pos({{36, 136}, {36.1, 136.1}})),        // 5 far away
        Cmd("area", Pos({{34.9, 134.9}, {34.9, 135.2}, {35.2, 135.2}, {35.2, 134.9}})),  // 6 around
        Cmd("circle", Pos({{35.05, 135.05}}), "r=\"50km\""),  // 7 centre inside
        Cmd("point", QString()),                             // 8 no position
        QStringLiteral("disp all=\"on\";"),                  // 9 not a figure
    };
}

// Figures around the centre (35,135), for circles of about 1 km.
QStringList AroundCircle() {
    return {
        Cmd("point", Pos({{35.0045, 135}})),             // 0 0.5 km north
        Cmd("point", Pos({{35.0135, 135}})),             // 1 1.5 km north
        Cmd("line", Pos({{35, 135}, {35.0045, 135}})),   // 2 centre to 0.5 km
        Cmd("line", Pos({{35, 135}, {35.0135, 135}})),   // 3 centre to 1.5 km
        Cmd("line", Pos({{35, 134.98}, {35, 135.02}})),  // 4 through, ends outside
        // 5: listed corners inside (0.9 km north; 0.9 km east), the corner north-east of
        // them outside.
        Cmd("rect", Pos({{35.0081, 135.0}, {35.0, 135.0099}})),
        Cmd("line", Pos({{35.0125, 135.003}, {35.0025, 135.015}})),  // 6 passes 1.2 km off
        // 7, 8: 0.5 km east and south, away from the meridian segment between a circle1's
        // centre and rim point (its box is the circle's, not theirs).
        Cmd("point", Pos({{35, 135.0055}})),
        Cmd("point", Pos({{34.9955, 135}})),
    };
}

// Figures that may contain the position (35.05,135.05).
QStringList Containers() {
    return {
        Cmd("area", Pos({{35, 135}, {35, 135.1}, {35.1, 135.1}, {35.1, 135}})),  // 0 holds it
        Cmd("rect", Pos({{35, 135}, {35.1, 135.1}})),                         // 1 holds it
        Cmd("circle", Pos({{35.05, 135.06}}), "r=\"2km\""),                    // 2 0.9 km off
        Cmd("circle", Pos({{35.05, 135.1}}), "r=\"2km\""),                     // 3 4.6 km off
        Cmd("line", Pos({{35.05, 135}, {35.05, 135.1}})),                      // 4 through it
        Cmd("point", Pos({{35.05, 135.05}})),                                  // 5 at it
        Cmd("area", Pos({{36, 136}, {36, 136.1}, {36.1, 136.1}})),             // 6 elsewhere
        Cmd("rect", Pos({{35.05, 135.05}})),                                   // 7 one corner
        Cmd("area", Pos({{35, 135}, {35.1, 135.1}})),                          // 8 two positions
    };
}

// A closed outline of n positions on a circle of `radius_deg` around (lat, lon).
QString Polygon(int n, double lat, double lon, double radius_deg) {
    QStringList parts;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * 3.14159265358979 * i / n;
        parts << Pos({{lat + radius_deg * std::cos(a), lon + radius_deg * std::sin(a)}});
    }
    return parts.join(QLatin1Char(','));
}

void Row(const char* name, const QStringList& figures, const QString& operation,
         const QString& refType, const QString& refPos, const QList<int>& expected,
         bool fullOverlap = false, const QString& refR = QString()) {
    QTest::newRow(name) << figures << operation << refType << refPos << refR << fullOverlap
                        << expected;
}

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

class SpatialSelectTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void selects_data() {
        QTest::addColumn<QStringList>("figures");
        for (const char* c : {"operation", "refType", "refPos", "refR"})
            QTest::addColumn<QString>(c);
        QTest::addColumn<bool>("fullOverlap");
        QTest::addColumn<QList<int>>("expected");
        const QString rect = Pos({{35.0, 135.0}, {35.1, 135.1}});
        const QStringList r = AroundRect();
        Row("rect: interior", r, kFindInterior, "rect", rect, {0, 2, 3, 4, 7});
        Row("rect: interior, full overlap", r, kFindInterior, "rect", rect, {0, 2, 7}, true);
        Row("rect: exterior, full overlap", r, kFindExterior, "rect", rect, {1, 3, 4, 5, 6, 8},
            true);
        Row("rect by its other two corners", r, kFindInterior, "rect",
            Pos({{35.1, 135.0}, {35.0, 135.1}}), {0, 2, 3, 4, 7});
        Row("line reference: all outside", r, kFindExterior, "line", rect,
            {0, 1, 2, 3, 4, 5, 6, 7, 8});
        Row("one-corner rect holds nothing", r, kFindInterior, "rect", Pos({{35.0, 135.0}}), {});
        Row("area of two positions holds nothing", r, kFindInterior, "area", rect, {});
        Row("reference without positions", r, kFindExterior, "rect", "1,2", {});
        Row("unknown operation", r, "FindAll", "rect", rect, {});

        const QStringList c = AroundCircle();
        const QString centre = Pos({{35, 135}}), rim = Pos({{35, 135}, {35.009, 135}});
        Row("circle: interior", c, kFindInterior, "circle", centre, {0, 2, 3, 4, 5, 7, 8}, false,
            "1km");
        Row("circle: exterior, full overlap", c, kFindExterior, "circle", centre,
            {1, 3, 4, 5, 6}, true, "1km");
        Row("circle1", c, kFindInterior, "circle1", rim, {0, 2, 3, 4, 5, 7, 8});
        Row("circle of radius 0", c, kFindInterior, "circle", centre, {}, true);

        // Around the triangle (35,135), (35,135.2), (35.2,135): 0 inside, 1 in its box but
        // outside, 2 outside, 3 across the long side.
        const QStringList t = {Cmd("point", Pos({{35.05, 135.05}})),
                               Cmd("point", Pos({{35.15, 135.15}})),
                               Cmd("line", Pos({{35.15, 135.15}, {35.25, 135.25}})),
                               Cmd("line", Pos({{35.15, 135.15}, {35.05, 135.05}}))};
        const QString triangle = Pos({{35, 135}, {35, 135.2}, {35.2, 135}});
        Row("area", t, kFindInterior, "area", triangle, {0, 3});

        const QStringList k = Containers();
        const QString at = Pos({{35.05, 135.05}});
        Row("container of a point", k, kFindObject, "point", at, {0, 1, 2});
        Row("container of a circle1's centre, not its mean", k, kFindObject, "circle1",
            Pos({{35.05, 135.05}, {35.95, 135.05}}), {0, 1, 2});
    }
    void selects() {
        QFETCH(QStringList, figures);
        QFETCH(QString, operation);
        QFETCH(QString, refType);
        QFETCH(QString, refPos);
        QFETCH(QString, refR);
        QFETCH(bool, fullOverlap);
        QFETCH(QList<int>, expected);
        EditorFixture f;
        SetCommands(f.editor, figures);
        QCOMPARE(ToList(ReturnGetObject(f.editor, operation, refPos, refType, fullOverlap, refR)),
                 expected);
        QCOMPARE(SelectedList(f.editor), expected);
        QCOMPARE(f.editor.Title(), f.editor.BaseTitle());
    }

    // Results are added to the selection; lines selected before stay selected.
    void resultsAddToTheSelection() {
        EditorFixture f;
        SetCommands(f.editor, AroundRect());
        f.editor.List().SetSelected(5, true);
        ReturnGetObject(f.editor, kFindInterior, Pos({{35.0, 135.0}, {35.1, 135.1}}), "rect",
                        true);
        QCOMPARE(SelectedList(f.editor), (QList<int>{0, 2, 5, 7}));
    }

    // At the table limit: a reference of 2560 positions, and lines of more than 2560 whose
    // excess is not read.
    void positionLimit() {
        EditorFixture f;
        const QString big = Polygon(kMaxPositions, 35.05, 135.05, 0.04);
        const QString tooBig = Polygon(kMaxPositions + 40, 35.05, 135.05, 0.02);
        SetCommands(f.editor, {Cmd("point", Pos({{35.05, 135.05}})),
                               Cmd("point", Pos({{35.2, 135.2}})), Cmd("line", tooBig),
                               Cmd("area", Polygon(100, 35.05, 135.05, 0.03))});
        QCOMPARE(ToList(ReturnGetObject(f.editor, kFindInterior, big, "area", true)),
                 (QList<int>{0, 2, 3}));
        f.editor.ClearSelection();
        QCOMPARE(ToList(ReturnGetObject(f.editor, kFindObject, tooBig, "area", false)),
                 (QList<int>{3}));
        // The nearest position on a line at the limit, and on one beyond it.
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

    void figureDistance_data() {
        for (const char* c : {"a", "b"}) QTest::addColumn<QString>(c);
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

KEL_TEST(SpatialSelectTest);
#include "tst_SpatialSelect.moc"
