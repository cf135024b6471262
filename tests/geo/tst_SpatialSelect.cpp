#include <cmath>

#include "SpatialTestUtil.h"
#include "TestMain.h"
#include "geo/SpatialSelect.h"

using namespace kel;
using namespace kel::test;

namespace {

// Figures around the rect (35.0,135.0)-(35.1,135.1).
QStringList AroundRect() {
    return {
        Cmd("point", Pos({{35.05, 135.05}})),                               // 0 inside
        Cmd("point", Pos({{35.2, 135.2}})),                                 // 1 outside
        Cmd("point", Pos({{35.0, 135.05}})),                                // 2 on an edge
        Cmd("line", Pos({{35.05, 135.05}, {35.2, 135.2}})),                 // 3 half in
        Cmd("line", Pos({{35.05, 134.9}, {35.05, 135.2}})),                 // 4 through
        Cmd("line", Pos({{36, 136}, {36.1, 136.1}})),                       // 5 far away
        Cmd("area", Pos({{34.9, 134.9}, {34.9, 135.2}, {35.2, 135.2}, {35.2, 134.9}})),  // 6 around
        Cmd("circle", Pos({{35.05, 135.05}}), "r=\"50km\""),                 // 7 centre inside
        Cmd("point", QString()),                                            // 8 no position
        QStringLiteral("disp all=\"on\";"),                                 // 9 not a figure
    };
}

// Figures around the centre (35,135), for circles of about 1 km.
QStringList AroundCircle() {
    return {
        Cmd("point", Pos({{35.0045, 135}})),                        // 0 0.5 km north
        Cmd("point", Pos({{35.0135, 135}})),                        // 1 1.5 km north
        Cmd("line", Pos({{35, 135}, {35.0045, 135}})),              // 2 centre to 0.5 km
        Cmd("line", Pos({{35, 135}, {35.0135, 135}})),              // 3 centre to 1.5 km
        Cmd("line", Pos({{35, 134.98}, {35, 135.02}})),             // 4 through, ends outside
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

// Figures around the triangle (35,135), (35,135.2), (35.2,135).
QStringList AroundTriangle() {
    return {
        Cmd("point", Pos({{35.05, 135.05}})),                       // 0 inside
        Cmd("point", Pos({{35.15, 135.15}})),                       // 1 in the box, outside
        Cmd("line", Pos({{35.15, 135.15}, {35.25, 135.25}})),       // 2 outside
        Cmd("line", Pos({{35.15, 135.15}, {35.05, 135.05}})),       // 3 across the long side
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

QString Square() { return Pos({{35, 135}, {35, 135.1}, {35.1, 135.1}, {35.1, 135}}); }

// A closed outline of n positions on a circle of `radius_deg` around (lat, lon).
QString Polygon(int n, double lat, double lon, double radius_deg) {
    QStringList parts;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * 3.14159265358979 * i / n;
        parts << Pos({{lat + radius_deg * std::cos(a), lon + radius_deg * std::sin(a)}});
    }
    return parts.join(QLatin1Char(','));
}

}  // namespace

class SpatialSelectTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void selects_data() {
        QTest::addColumn<QStringList>("figures");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("refType");
        QTest::addColumn<QString>("refPos");
        QTest::addColumn<QString>("refR");
        QTest::addColumn<bool>("fullOverlap");
        QTest::addColumn<QList<int>>("expected");

        const QString rect = Pos({{35.0, 135.0}, {35.1, 135.1}});
        const QStringList r = AroundRect();
        QTest::newRow("rect: interior") << r << "FindInterior" << "rect" << rect << "" << false
                                        << QList<int>{0, 2, 3, 4, 7};
        QTest::newRow("rect: interior, full overlap")
            << r << "FindInterior" << "rect" << rect << "" << true << QList<int>{0, 2, 7};
        QTest::newRow("rect: exterior") << r << "FindExterior" << "rect" << rect << "" << false
                                        << QList<int>{1, 5, 6, 8};
        QTest::newRow("rect: exterior, full overlap")
            << r << "FindExterior" << "rect" << rect << "" << true << QList<int>{1, 3, 4, 5, 6, 8};
        QTest::newRow("rect by its other two corners")
            << r << "FindInterior" << "rect" << Pos({{35.1, 135.0}, {35.0, 135.1}}) << "" << false
            << QList<int>{0, 2, 3, 4, 7};
        QTest::newRow("point reference holds nothing")
            << r << "FindInterior" << "point" << Pos({{35.05, 135.05}}) << "" << false
            << QList<int>{};
        QTest::newRow("line reference holds nothing")
            << r << "FindInterior" << "line" << rect << "" << false << QList<int>{};
        QTest::newRow("line reference: all outside")
            << r << "FindExterior" << "line" << rect << "" << false
            << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8};
        QTest::newRow("one-corner rect holds nothing")
            << r << "FindInterior" << "rect" << Pos({{35.0, 135.0}}) << "" << false
            << QList<int>{};
        QTest::newRow("area of two positions holds nothing")
            << r << "FindInterior" << "area" << rect << "" << false << QList<int>{};
        QTest::newRow("short reference runs nothing")
            << r << "FindExterior" << "rect" << "1," << "" << false << QList<int>{};
        QTest::newRow("reference without positions runs nothing")
            << r << "FindExterior" << "rect" << "1,2" << "" << false << QList<int>{};
        QTest::newRow("unknown operation") << r << "FindAll" << "rect" << rect << "" << false
                                           << QList<int>{};

        const QStringList c = AroundCircle();
        const QString centre = Pos({{35, 135}});
        QTest::newRow("circle: interior") << c << "FindInterior" << "circle" << centre << "1km"
                                          << false << QList<int>{0, 2, 3, 4, 5, 7, 8};
        QTest::newRow("circle: interior, full overlap")
            << c << "FindInterior" << "circle" << centre << "1000" << true << QList<int>{0, 2, 7, 8};
        QTest::newRow("circle: exterior, full overlap")
            << c << "FindExterior" << "circle" << centre << "1km" << true
            << QList<int>{1, 3, 4, 5, 6};
        QTest::newRow("circle1") << c << "FindInterior" << "circle1"
                                 << Pos({{35, 135}, {35.009, 135}}) << "" << false
                                 << QList<int>{0, 2, 3, 4, 5, 7, 8};
        QTest::newRow("circle1, full overlap")
            << c << "FindInterior" << "circle1" << Pos({{35, 135}, {35.009, 135}}) << "" << true
            << QList<int>{0, 2, 7, 8};
        QTest::newRow("circle2") << c << "FindInterior" << "circle2"
                                 << Pos({{34.991, 135}, {35.009, 135}}) << "" << false
                                 << QList<int>{0, 2, 3, 4, 5, 7, 8};
        QTest::newRow("circle of radius 0 holds nothing off its centre")
            << c << "FindInterior" << "circle" << centre << "" << true << QList<int>{};

        const QString triangle = Pos({{35, 135}, {35, 135.2}, {35.2, 135}});
        const QStringList t = AroundTriangle();
        QTest::newRow("area") << t << "FindInterior" << "area" << triangle << "" << false
                              << QList<int>{0, 3};
        QTest::newRow("area, full overlap") << t << "FindInterior" << "area" << triangle << ""
                                            << true << QList<int>{0};
        QTest::newRow("area listed closed")
            << t << "FindInterior" << "area"
            << Pos({{35, 135}, {35, 135.2}, {35.2, 135}, {35, 135}}) << "" << false
            << QList<int>{0, 3};

        const QStringList k = Containers();
        QTest::newRow("container of a point")
            << k << "FindObject" << "point" << Pos({{35.05, 135.05}}) << "" << false
            << QList<int>{0, 1, 2};
        QTest::newRow("container of an area's centre")
            << k << "FindObject" << "area" << Square() << "" << false << QList<int>{0, 1, 2};
        QTest::newRow("container of a circle1's centre, not its mean")
            << k << "FindObject" << "circle1" << Pos({{35.05, 135.05}, {35.95, 135.05}}) << ""
            << false << QList<int>{0, 1, 2};
        QTest::newRow("container of nothing") << k << "FindObject" << "point" << "" << "" << false
                                              << QList<int>{};
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
        const std::vector<int> found =
            ReturnGetObject(f.editor, operation, refPos, refType, fullOverlap, refR);
        QCOMPARE(QList<int>(found.begin(), found.end()), expected);
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

    void figureInside_data() {
        QTest::addColumn<QString>("lat");
        QTest::addColumn<QString>("lon");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("pos");
        QTest::addColumn<QString>("r");
        QTest::addColumn<bool>("inside");
        QTest::newRow("area: notch of an L") << "35.07" << "135.07" << "area"
                                             << Pos({{35, 135}, {35, 135.1}, {35.05, 135.1},
                                                     {35.05, 135.05}, {35.1, 135.05},
                                                     {35.1, 135}})
                                             << "" << false;
        QTest::newRow("area: arm of an L") << "35.02" << "135.08" << "area"
                                           << Pos({{35, 135}, {35, 135.1}, {35.05, 135.1},
                                                   {35.05, 135.05}, {35.1, 135.05},
                                                   {35.1, 135}})
                                           << "" << true;
        QTest::newRow("area: empty pos") << "35" << "135" << "area" << "" << "" << false;
        QTest::newRow("unknown type") << "35.05" << "135.05" << "polygon"
                                      << Pos({{35.0, 135.0}, {35.1, 135.1}}) << "" << false;
    }
    void figureInside() {
        QFETCH(QString, lat);
        QFETCH(QString, lon);
        QFETCH(QString, type);
        QFETCH(QString, pos);
        QFETCH(QString, r);
        QFETCH(bool, inside);
        QCOMPARE(FigureInside(lat, lon, type, pos, r), inside);
    }

    // At the table limit: a reference of 2560 positions, and a line of more than 2560
    // whose excess is not read.
    void positionLimit() {
        EditorFixture f;
        const QString big = Polygon(kMaxPositions, 35.05, 135.05, 0.04);
        const QString tooBig = Polygon(kMaxPositions + 40, 35.05, 135.05, 0.02);
        SetCommands(f.editor, {Cmd("point", Pos({{35.05, 135.05}})),
                               Cmd("point", Pos({{35.2, 135.2}})), Cmd("line", tooBig),
                               Cmd("area", Polygon(100, 35.05, 135.05, 0.03))});
        auto list = [](const std::vector<int>& v) { return QList<int>(v.begin(), v.end()); };
        QCOMPARE(list(ReturnGetObject(f.editor, kFindInterior, big, "area", true)),
                 (QList<int>{0, 2, 3}));
        f.editor.ClearSelection();
        QCOMPARE(list(ReturnGetObject(f.editor, kFindObject, tooBig, "area", false)),
                 (QList<int>{3}));
    }
};

KEL_TEST(SpatialSelectTest);
#include "tst_SpatialSelect.moc"
