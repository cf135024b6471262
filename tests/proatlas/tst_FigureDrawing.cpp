// DrawKel and DrawFigureObject on a recording map: the styles, the shapes of each figure
// type, removal by negative handle, and the scale factor.
#include "TestMain.h"
#include "proatlas/FigureDrawing.h"
#include "proatlas/RecordingProAtlas.h"

using namespace kel;

namespace {

QString PointsText(const MapShape& s) {
    QStringList out;
    for (size_t i = 0; i < s.lat_ms.size(); ++i)
        out << QStringLiteral("%1 %2").arg(s.lat_ms[i]).arg(s.lon_ms[i]);
    return out.join(QLatin1Char(';'));
}

// 35/00/00.0 and 135/00/00.0 in milliseconds of arc, and one second.
constexpr qint32 kLat = 35 * 3600000;
constexpr qint32 kLon = 135 * 3600000;
constexpr qint32 kSec = 1000;

QString P(qint32 lat, qint32 lon) { return QStringLiteral("%1 %2").arg(lat).arg(lon); }

}  // namespace

class FigureDrawingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scaleFactor_data() {
        QTest::addColumn<double>("scale");
        QTest::addColumn<double>("factor");
        QTest::newRow("above the top row") << 30000000.0 << 10.0;
        QTest::newRow("top row exactly") << 26000000.0 << 10.0;
        QTest::newRow("just under a row") << 4999999.0 << 0.5;
        QTest::newRow("1:25,000") << 25000.0 << 0.01;
        QTest::newRow("5000 exactly") << 5000.0 << 0.002;
        QTest::newRow("below every row") << 4999.0 << 0.001;
    }
    void scaleFactor() {
        QFETCH(double, scale);
        QFETCH(double, factor);
        QCOMPARE(ScaleFactor(scale), factor);
        RecordingProAtlas map;
        map.SetLayerScale(scale);
        MapFigureDisplay display;
        display.SetMap(&map);
        QCOMPARE(display.ScaleTolerance(), 2 * factor);
        QCOMPARE(display.CurrentScaleFactor(), factor);
    }

    void shapes_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("pos");
        QTest::addColumn<bool>("polygon");
        QTest::addColumn<QString>("points");  // empty: nothing drawn
        const qint32 d = 388;  // 2 x 0.01 x 3 / 5 km at 1:25,000 in milliseconds of arc
        QTest::newRow("point: square of the marker size")
            << "point" << "35/00/00.0,135/00/00.0" << true
            << QStringList{P(kLat - d, kLon - d), P(kLat - d, kLon + d), P(kLat + d, kLon + d),
                           P(kLat + d, kLon - d), P(kLat - d, kLon - d)}.join(';');
        QTest::newRow("line as given")
            << "LINE" << "35/00/00.0,135/00/00.0,35/00/01.0,135/00/02.0" << false
            << QStringList{P(kLat, kLon), P(kLat + kSec, kLon + 2 * kSec)}.join(';');
        QTest::newRow("rect from two corners")
            << "rect" << "35/00/00.0,135/00/00.0,35/00/01.0,135/00/02.0" << true
            << QStringList{P(kLat, kLon), P(kLat, kLon + 2 * kSec), P(kLat + kSec, kLon + 2 * kSec),
                           P(kLat + kSec, kLon), P(kLat, kLon)}.join(';');
        QTest::newRow("area closed even when already closed")
            << "area" << "35/00/00.0,135/00/00.0,35/00/01.0,135/00/00.0,35/00/00.0,135/00/00.0" << true
            << QStringList{P(kLat, kLon), P(kLat + kSec, kLon), P(kLat, kLon), P(kLat, kLon)}.join(';');
        QTest::newRow("circle1: square with both diagonals")
            << "circle1" << "35/00/00.0,135/00/00.0,35/00/02.0,135/00/00.0" << true
            << QStringList{P(kLat - 2 * kSec, kLon - 2 * kSec), P(kLat - 2 * kSec, kLon + 2 * kSec),
                           P(kLat + 2 * kSec, kLon + 2 * kSec), P(kLat + 2 * kSec, kLon - 2 * kSec),
                           P(kLat - 2 * kSec, kLon - 2 * kSec), P(kLat + 2 * kSec, kLon + 2 * kSec),
                           P(kLat + 2 * kSec, kLon - 2 * kSec), P(kLat - 2 * kSec, kLon + 2 * kSec),
                           P(kLat - 2 * kSec, kLon - 2 * kSec)}.join(';');
        QTest::newRow("seconds round to the nearest millisecond")
            << "line" << "35/00/00.00049,135/00/00.0005,35/00/00.0,135/00/00.0" << false
            << QStringList{P(kLat, kLon + 1), P(kLat, kLon)}.join(';');
        QTest::newRow("circle without the rim point: nothing") << "circle" << "35/00/00.0,135/00/00.0" << true << "";
        QTest::newRow("rect of one corner: nothing") << "rect" << "35/00/00.0,135/00/00.0" << true << "";
        QTest::newRow("pos under 3 characters") << "point" << "35" << true << "";
        QTest::newRow("unknown type") << "polygon" << "35/00/00.0,135/00/00.0" << true << "";
    }
    void shapes() {
        QFETCH(QString, type);
        QFETCH(QString, pos);
        QFETCH(bool, polygon);
        QFETCH(QString, points);
        RecordingProAtlas map;
        map.SetLayerScale(25000);
        MapFigureDisplay display;
        display.SetMap(&map);
        const int h = display.DrawFigureObject(kStyleNormalAll, type, pos, 0);
        if (points.isEmpty()) {
            QCOMPARE(h, 0);
            QCOMPARE(map.ShapeCount(), 0);
            return;
        }
        QVERIFY(h > 0);
        const MapShape* s = map.Shape(h);
        QVERIFY(s);
        QCOMPARE(s->polygon, polygon);
        QCOMPARE(PointsText(*s), points);
    }

    void styles_data() {
        QTest::addColumn<QString>("style");
        QTest::addColumn<bool>("viewOn");
        QTest::addColumn<bool>("dispOn");
        QTest::addColumn<int>("color");   // -1: nothing drawn
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("fill");
        const int cyan = RgbValue(0, 255, 255), red = RgbValue(255, 0, 0);
        const int blue = RgbValue(0, 0, 255), green = RgbValue(0, 255, 0);
        QTest::newRow("Normal while the view is on") << "Normal" << true << false << cyan << 4 << 1;
        QTest::newRow("Normal while the view is off") << "Normal" << false << true << -1 << 0 << 0;
        QTest::newRow("NormalAll always") << "NormalAll" << false << false << cyan << 4 << 1;
        QTest::newRow("Single while Disp is ON") << "Single" << false << true << red << 1 << 1;
        QTest::newRow("Single while Disp is OFF") << "Single" << true << false << -1 << 0 << 0;
        QTest::newRow("SingleAll") << "SingleAll" << false << false << red << 1 << 1;
        QTest::newRow("Snap") << "Snap" << false << false << blue << 2 << 12;
        QTest::newRow("SnapNode") << "SnapNode" << false << false << blue << 3 << 0;
        QTest::newRow("Edit") << "Edit" << false << false << green << 2 << 1;
        QTest::newRow("unknown style") << "normal" << true << true << -1 << 0 << 0;
    }
    void styles() {
        QFETCH(QString, style);
        QFETCH(bool, viewOn);
        QFETCH(bool, dispOn);
        QFETCH(int, color);
        QFETCH(int, width);
        QFETCH(int, fill);
        RecordingProAtlas map;
        MapFigureDisplay display;
        display.SetMap(&map);
        display.selectedViewOn = [viewOn] { return viewOn; };
        display.currentFigureOn = [dispOn] { return dispOn; };
        const int h = display.DrawFigureObject(style, QStringLiteral("area"),
                                               QStringLiteral("35/00/00,135/00/00,35/01/00,135/00/00,35/00/00,135/01/00"), 0);
        if (color < 0) {
            QCOMPARE(h, 0);
            return;
        }
        const MapShape* s = map.Shape(h);
        QVERIFY(s);
        QCOMPARE(s->style.lineColor, color);
        QCOMPARE(s->style.fillColor, color);
        QCOMPARE(s->style.hatchColor, color);
        QCOMPARE(s->style.lineWidth, width);
        QCOMPARE(s->style.fillStyle, fill);
    }

    void removal_data() {
        QTest::addColumn<QString>("drawnType");
        QTest::addColumn<QString>("removeType");
        QTest::addColumn<bool>("removed");
        QTest::newRow("line by DeletePolyLine") << "line" << "line" << true;
        QTest::newRow("area by DeletePolygon") << "area" << "AREA" << true;
        QTest::newRow("circle1 as circle") << "circle1" << "circle" << true;
        QTest::newRow("type forgotten: removed all the same") << "line" << "" << true;
        QTest::newRow("a line is no polygon") << "line" << "rect" << false;
    }
    void removal() {
        QFETCH(QString, drawnType);
        QFETCH(QString, removeType);
        QFETCH(bool, removed);
        RecordingProAtlas map;
        MapFigureDisplay display;
        display.SetMap(&map);
        const int h = display.DrawFigureObject(kStyleNormalAll, drawnType,
                                               QStringLiteral("35/00/00,135/00/00,35/00/10,135/00/10,35/00/20,135/00/00"), 0);
        QVERIFY(h > 0);
        const int r = display.DrawFigureObject(kStyleDel, removeType, QString(), h);
        QCOMPARE(r, removed ? -h : 0);
        QCOMPARE(map.Shape(h) == nullptr, removed);
        // A handle removed once, or never handed out, removes nothing.
        QCOMPARE(display.DrawFigureObject(kStyleDel, drawnType, QString(), h + 100), 0);
    }

    void withoutAMapNothingIsDrawn() {
        MapFigureDisplay display;
        QCOMPARE(display.DrawFigureObject(kStyleNormalAll, QStringLiteral("point"), QStringLiteral("35/00/00,135/00/00"), 0), 0);
        QCOMPARE(display.MarkLatitude(), QString());
        QVERIFY(display.MarkerSize() > 0);
    }

    void markTextsReadBackToThePosition_data() {
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lon");
        QTest::addColumn<QString>("latText");
        QTest::addColumn<QString>("lonText");
        QTest::newRow("Tokyo") << 35.5034166666667 << 139.75 << "35/30/12300" << "139/45/00000";
        QTest::newRow("seconds under ten") << 35.0003430555556 << 135.0 << "35/00/01235" << "135/00/00000";
        QTest::newRow("south and west") << -33.5 << -70.25 << "-34/30/00000" << "-71/45/00000";
    }
    void markTextsReadBackToThePosition() {
        QFETCH(double, lat);
        QFETCH(double, lon);
        QFETCH(QString, latText);
        QFETCH(QString, lonText);
        RecordingProAtlas map;
        QVERIFY(!map.SetMark(lat, lon));  // the mark is off until connected
        map.SetEnableMark(true);
        QVERIFY(map.SetMark(lat, lon));
        QCOMPARE(map.MarkLatitude(), latText);
        QCOMPARE(map.MarkLongitude(), lonText);
        MapFigureDisplay display;
        display.SetMap(&map);
        const MarkPosition m = ReadMark(&display);
        QVERIFY(m.valid);
        QVERIFY(std::abs(m.lat_deg - lat) < 1e-6);
        QVERIFY(std::abs(m.lon_deg - lon) < 1e-6);
    }

    void textsAreAddedAndDeleted() {
        RecordingProAtlas map;
        const int id = map.AddTextEx(QStringLiteral("35/30/12.3"), QStringLiteral("139/45/00000"),
                                     QStringLiteral("1"), 1, 0, 0, 0);
        QVERIFY(id > 0);
        QVERIFY(std::abs(map.Texts().at(id).lat_deg - 35.5034166667) < 1e-6);
        QVERIFY(std::abs(map.Texts().at(id).lon_deg - 139.75) < 1e-9);
        QCOMPARE(map.AddTextEx(QStringLiteral("x"), QStringLiteral("139"), QStringLiteral("2"), 1, 0, 0, 0), 0);
        QCOMPARE(map.DeleteText(id), -1);
        QCOMPARE(map.DeleteText(id), 0);
    }

    void theIndexFindsWhatAViewShows() {
        RecordingProAtlas map;
        // A grid of small squares and one shape that spans the whole area.
        std::vector<int> handles;
        for (int i = 0; i < 100; ++i)
            for (int j = 0; j < 100; ++j) {
                const qint32 la = DegreesToMilliArc(30 + i * 0.1), lo = DegreesToMilliArc(130 + j * 0.1);
                const std::vector<qint32> lat{la, la, la + 1000, la}, lon{lo, lo + 1000, lo + 1000, lo};
                handles.push_back(map.AddPolygon(lat, lon, 4, false));
            }
        const std::vector<qint32> bigLat{DegreesToMilliArc(29), DegreesToMilliArc(41)};
        const std::vector<qint32> bigLon{DegreesToMilliArc(129), DegreesToMilliArc(141)};
        const int big = map.AddPolyLine(bigLat, bigLon, 2, false);
        GeoBox box;
        box.Add(31.05, 131.05);
        box.Add(31.25, 131.25);
        std::vector<int> found;
        for (const MapShape* s : map.ShapesIn(box)) found.push_back(s->handle);
        // Squares at 31.1 and 31.2 in both directions, then the big line (added last).
        const std::vector<int> expected{handles[11 * 100 + 11], handles[11 * 100 + 12],
                                        handles[12 * 100 + 11], handles[12 * 100 + 12], big};
        QCOMPARE(found, expected);
        QCOMPARE(map.DeletePolygon(handles[11 * 100 + 11]), -1);
        QCOMPARE(int(map.ShapesIn(box).size()), 4);
        GeoBox all;
        all.Add(-90, -180);
        all.Add(90, 180);
        QCOMPARE(int(map.ShapesIn(all).size()), 100 * 100);

        // Removing most shapes (the index is rebuilt on the way) and adding new ones: a view
        // finds exactly the shapes left, and a removed handle never comes back.
        std::vector<int> left;
        for (size_t k = 0; k < handles.size(); ++k) {
            if (k % 7 == 0) {
                left.push_back(handles[k]);
            } else {
                QCOMPARE(map.DeletePolygon(handles[k]), k == 11 * 100 + 11 ? 0 : -1);
            }
        }
        const qint32 la = DegreesToMilliArc(31.15), lo = DegreesToMilliArc(131.15);
        const std::vector<qint32> lat{la, la, la + 500}, lon{lo, lo + 500, lo};
        const int added = map.AddPolygon(lat, lon, 3, false);
        QVERIFY(added > big);
        found.clear();
        for (const MapShape* s : map.ShapesIn(box)) found.push_back(s->handle);
        std::vector<int> inBox;
        for (int i = 11; i <= 12; ++i)
            for (int j = 11; j <= 12; ++j)
                if ((i * 100 + j) % 7 == 0) inBox.push_back(handles[size_t(i * 100 + j)]);
        inBox.push_back(big);
        inBox.push_back(added);
        QCOMPARE(found, inBox);
        QCOMPARE(int(map.ShapesIn(all).size()), int(left.size()) + 2);
        QCOMPARE(map.ShapeCount(), int(left.size()) + 2);
    }
};

KEL_TEST(FigureDrawingTest);
#include "tst_FigureDrawing.moc"
