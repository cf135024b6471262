// The map widget offscreen: figures cover the pixels of their coordinates, a click sets
// the mark, zoom and pan change the view and its scale, and the base map is read.
#include <QLabel>
#include <QPainter>
#include <QSignalSpy>

#include "TestMain.h"
#include "proatlas/BaseMap.h"
#include "proatlas/MapWidget.h"
#include "proatlas/MapWindow.h"
#include "proatlas/QtMapPainter.h"
#include "proatlas/ScriptPreview.h"

using namespace kel;

namespace {

// A base map without data, so that pictures hold only what a test draws.
std::shared_ptr<BaseMap> NoBase() { return std::make_shared<BaseMap>(QStringLiteral("/nonexistent")); }

struct Shown {
    MapWidget map{NoBase()};
    Shown(double lat = 35.5, double lon = 139.75, double scale = 25000) {
        map.resize(400, 300);
        map.show();
        QVERIFY(QTest::qWaitForWindowExposed(&map));
        MapView v = map.View();
        v.centerLat_deg = lat;
        v.centerLon_deg = lon;
        v.SetLayerScale(scale);
        map.SetView(v);
    }
};

bool Reddish(QRgb c) { return qRed(c) > 150 && qGreen(c) < 120 && qBlue(c) < 120; }

}  // namespace

class MapWidgetTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aPolygonCoversItsPixels() {
        Shown s;
        // A filled red square of 0.004 degrees about the centre; at 1:25,000 that is
        // 0.004 x 111319 x cos(35.5) / 7 m per pixel = about 52 pixels across.
        s.map.SetLineColor(RgbValue(255, 0, 0));
        s.map.SetFillColor(RgbValue(255, 0, 0));
        s.map.SetFillStyle(1);
        s.map.SetLineWidth(3);
        const double d = 0.002;
        const std::vector<qint32> lat{DegreesToMilliArc(35.5 - d), DegreesToMilliArc(35.5 - d),
                                      DegreesToMilliArc(35.5 + d), DegreesToMilliArc(35.5 + d)};
        const std::vector<qint32> lon{DegreesToMilliArc(139.75 - d), DegreesToMilliArc(139.75 + d),
                                      DegreesToMilliArc(139.75 + d), DegreesToMilliArc(139.75 - d)};
        QVERIFY(s.map.AddPolygon(lat, lon, 4, true) > 0);
        const QImage img = s.map.Render(false);
        const MapView& v = s.map.View();
        const QPointF corner = v.ToScreen(35.5 + d, 139.75 + d);  // north-east corner
        const double half = corner.x() - 200;
        QVERIFY(half > 20 && half < 32);
        // The outline runs along the east side; inside is tinted, outside is not.
        QVERIFY(Reddish(img.pixel(qRound(corner.x()), 150)));
        const QRgb inside = img.pixel(200 + int(half / 2), 150);
        QVERIFY(qRed(inside) > qBlue(inside) + 40);
        const QRgb outside = img.pixel(200 + int(half) + 8, 150);
        QVERIFY(qRed(outside) < qBlue(outside) + 20);
    }

    void aClickSetsTheMarkWhenEnabled() {
        Shown s;
        QSignalSpy marks(&s.map, &MapWidget::MarkSet);
        QTest::mouseClick(&s.map, Qt::LeftButton, {}, QPoint(200, 150));
        QVERIFY(s.map.MarkLatitude().isEmpty());  // the mark is off
        s.map.SetEnableMark(true);
        QTest::mouseClick(&s.map, Qt::LeftButton, {}, QPoint(200, 150));
        QCOMPARE(s.map.MarkLatitude(), QStringLiteral("35/30/00000"));
        QCOMPARE(s.map.MarkLongitude(), QStringLiteral("139/45/00000"));
        QCOMPARE(marks.size(), 1);
        // One pixel east at 1:25,000 is 7 m: 0.2 seconds of longitude further.
        QTest::mouseClick(&s.map, Qt::LeftButton, {}, QPoint(201, 150));
        const QString lon = s.map.MarkLongitude();
        QVERIFY2(lon >= QStringLiteral("139/45/00270") && lon <= QStringLiteral("139/45/00320"), qPrintable(lon));
    }

    void zoomChangesTheScale_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<double>("factor");
        QTest::newRow("plus zooms in") << int(Qt::Key_Plus) << 0.5;
        QTest::newRow("minus zooms out") << int(Qt::Key_Minus) << 2.0;
    }
    void zoomChangesTheScale() {
        QFETCH(int, key);
        QFETCH(double, factor);
        Shown s;
        QCOMPARE(qRound(s.map.LayerScale()), 25000);
        QTest::keyClick(&s.map, Qt::Key(key));
        QCOMPARE(qRound(s.map.LayerScale()), qRound(25000 * factor));
    }

    void wheelZoomsAboutThePointer() {
        Shown s;
        const QPoint at(300, 100);
        const auto before = s.map.View().ToGeo(at);
        QWheelEvent wheel(at, s.map.mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&s.map, &wheel);
        QVERIFY(std::abs(s.map.LayerScale() - 25000 / 1.5625) < 1);
        const auto after = s.map.View().ToGeo(at);
        QVERIFY(std::abs(after.first - before.first) < 1e-9);
        QVERIFY(std::abs(after.second - before.second) < 1e-9);
    }

    void dragPansAndTheStatusShowsThePosition() {
        MapWindow window(NoBase());
        window.resize(500, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        MapWidget* map = window.Map();
        map->CenterOn(35.5, 139.75);
        const QPoint from = map->rect().center();
        const auto geo = map->View().ToGeo(from);
        QTest::mousePress(map, Qt::LeftButton, {}, from);
        QTest::mouseMove(map, from + QPoint(30, 0));
        QTest::mouseMove(map, from + QPoint(60, 20));
        QTest::mouseRelease(map, Qt::LeftButton, {}, from + QPoint(60, 20));
        // What was under the pointer moved with it.
        const QPointF now = map->View().ToScreen(geo.first, geo.second);
        QVERIFY(std::abs(now.x() - (from.x() + 60)) < 0.5);
        QVERIFY(std::abs(now.y() - (from.y() + 20)) < 0.5);
        QVERIFY(!map->HasMark());  // a drag is no click
        auto* position = window.findChild<QLabel*>(QStringLiteral("MapPosition"));
        QVERIFY(position);
        QTest::mouseMove(map, map->View().ToScreen(35.5, 139.75).toPoint());
        QVERIFY2(position->text().startsWith(QStringLiteral("35/30/")), qPrintable(position->text()));
        auto* scale = window.findChild<QLabel*>(QStringLiteral("MapScale"));
        QVERIFY(scale->text().startsWith(QStringLiteral("1:")));
    }

    void moveToCentresTheView() {
        Shown s;
        s.map.MoveTo(0, 0, DegreesToMilliArc(34.9858), DegreesToMilliArc(135.7594));
        QVERIFY(std::abs(s.map.View().centerLat_deg - 34.9858) < 1e-6);
        QVERIFY(std::abs(s.map.View().centerLon_deg - 135.7594) < 1e-6);
        QVERIFY(s.map.hwndMain() != 0);
    }

    void gridAndScaleBarSteps_data() {
        QTest::addColumn<double>("scale");
        QTest::addColumn<double>("gridStep");
        QTest::addColumn<double>("barMetres");
        QTest::newRow("Japan") << 10000000.0 << 5.0 << 200000.0;
        QTest::newRow("town") << 25000.0 << 30 / 3600.0 << 500.0;
        QTest::newRow("block") << 5000.0 << 5 / 3600.0 << 100.0;
    }
    void gridAndScaleBarSteps() {
        QFETCH(double, scale);
        QFETCH(double, gridStep);
        QFETCH(double, barMetres);
        MapView v;
        v.centerLat_deg = 35;
        v.SetLayerScale(scale);
        QCOMPARE(v.LayerScale(), scale);
        QVERIFY(std::abs(GridStep_deg(v.pxPerDeg) - gridStep) < 1e-12);
        QCOMPARE(ScaleBarLength_m(v), barMetres);
    }

    void theBaseMapHoldsJapansCoast() {
        // Tokyo Bay at the country resolution: some shore point lies within 5 km of the
        // point of Futtsu (35.31 N, 139.79 E).
        const auto data = ReadBaseLevel(GshhgFolder(), 2);
        QVERIFY2(data->error.isEmpty(), qPrintable(data->error));
        QCOMPARE(data->binSize_deg, 5.0);
        bool near = false;
        for (size_t i = 0; i < data->lat.size() && !near; ++i)
            near = std::abs(data->lat[i] - 35.31) < 0.045 && std::abs(data->lon[i] - 139.79) < 0.055;
        QVERIFY(near);
        int rivers = 0, borders = 0;
        for (const BaseLine& l : data->lines) {
            rivers += l.kind == BaseKind::kRiver;
            borders += l.kind == BaseKind::kBorder;
        }
        QVERIFY(rivers > 0 && borders > 0);
        const auto missing = ReadBaseLevel(QStringLiteral("/nonexistent"), 0);
        QVERIFY(missing->error.contains(QStringLiteral("gmt-gshhg")));
        QVERIFY(missing->lines.empty());
    }

    // The base map (WGS84) is drawn in the datum of the figures: over a Tokyo-datum script
    // the coast of Tokyo Bay moves by the datum shift (about 350 m), so that figures entered
    // in that datum sit where they belong on it.
    void theBaseMapIsShiftedIntoTheFiguresDatum() {
        BaseMap base;
        MapWidget none(NoBase());  // no figures
        MapView v;
        v.size = QSize(400, 300);
        v.centerLat_deg = 35.45;
        v.centerLon_deg = 139.8;
        v.SetLayerScale(400000);
        const auto paint = [&](const DatumShift& shift) {
            QImage img(v.size, QImage::Format_ARGB32_Premultiplied);
            QPainter p(&img);
            MapPaintOptions o;
            o.waitForBase = true;
            o.grid = false;
            o.scaleBar = false;
            o.baseShift = shift;
            PaintMap(p, v, &base, none, o);
            return img;
        };
        const QImage wgs = paint(DatumShift());
        const QImage tokyo = paint(DatumShift(Datum::Wgs84(), Datum::Tokyo()));
        double lat = v.centerLat_deg, lon = v.centerLon_deg;
        DatumShift(Datum::Wgs84(), Datum::Tokyo()).Apply(lat, lon);
        // A place's Tokyo-datum latitude is about 11.7" smaller and its longitude about
        // 11.6" larger than its WGS84 ones.
        QVERIFY(lat < v.centerLat_deg && lon > v.centerLon_deg);
        const QPointF move = v.ToScreen(lat, lon) - v.ToScreen(v.centerLat_deg, v.centerLon_deg);
        const QPoint d(qRound(move.x()), qRound(move.y()));
        QVERIFY2(d.manhattanLength() >= 4, qPrintable(QStringLiteral("%1,%2").arg(d.x()).arg(d.y())));
        const auto shore = [](const QImage& img, QPoint at) {
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const QPoint q = at + QPoint(dx, dy);
                    if (!img.rect().contains(q)) continue;
                    const QRgb c = img.pixel(q);
                    if (qBlue(c) > qRed(c) + 30) return true;
                }
            return false;
        };
        int lines = 0, moved = 0, stayed = 0;
        for (int y = 10; y < 290; ++y)
            for (int x = 10; x < 390; ++x) {
                const QRgb c = wgs.pixel(x, y);
                if (qBlue(c) <= qRed(c) + 30) continue;
                ++lines;
                moved += shore(tokyo, QPoint(x, y) + d);
                stayed += shore(tokyo, QPoint(x, y));
            }
        QVERIFY(lines > 300);
        qInfo("shore pixels %d, found moved %d, found in place %d", lines, moved, stayed);
        QVERIFY(moved > lines * 9 / 10);
        QVERIFY(stayed < moved * 7 / 10);
    }

    // A window's paint draws figures within its time budget and counts what it left out; a
    // picture (no budget) draws them all.
    void aCrowdOfFiguresIsDrawnWithinTheBudget() {
        MapWidget map(NoBase());
        map.SetFillColor(RgbValue(0, 0, 255));
        map.SetFillStyle(1);
        for (int i = 0; i < 1000; ++i) {
            const double d = 0.01 + i * 0.00001;
            const std::vector<qint32> lat{DegreesToMilliArc(35.5 - d), DegreesToMilliArc(35.5 - d),
                                          DegreesToMilliArc(35.5 + d)};
            const std::vector<qint32> lon{DegreesToMilliArc(139.75 - d), DegreesToMilliArc(139.75 + d),
                                          DegreesToMilliArc(139.75 + d)};
            QVERIFY(map.AddPolygon(lat, lon, 3, false) > 0);
        }
        MapView v;
        v.size = QSize(400, 300);
        v.centerLat_deg = 35.5;
        v.centerLon_deg = 139.75;
        v.SetLayerScale(25000);
        QImage img(v.size, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&img);
        MapPaintOptions o;
        o.figureBudget_ms = 0.01;
        const MapPaintStats cut = PaintMap(p, v, nullptr, map, o);
        QVERIFY(cut.shapesSkipped > 0);
        QCOMPARE(cut.shapes + cut.shapesSkipped, 1000);
        o.figureBudget_ms = 0;
        const MapPaintStats all = PaintMap(p, v, nullptr, map, o);
        QCOMPARE(all.shapes, 1000);
        QCOMPARE(all.shapesSkipped, 0);
    }

    void theBaseMapIsReadInTheBackground() {
        BaseMap base;
        QSignalSpy ready(&base, &BaseMap::LevelReady);
        QVERIFY(!base.Level(1));
        QVERIFY(ready.wait(60000));
        QCOMPARE(ready.first().first().toInt(), 1);
        QVERIFY(base.Level(1));
        QCOMPARE(base.ReadyLevel(3), 1);
    }

    void aScriptPreviewUsesItsGroupsAndDisp() {
        MapWidget map(NoBase());
        const QStringList script{
            QStringLiteral("group gid=\"7\" linergb=\"0,0,255\" linewidth=\"3\" linestyle=\"line#1\" textrgb=\"0,128,0\";"),
            QStringLiteral("line oid=\"1\" gid=\"7\" pos=\"35/00/00.0,135/00/00.0,35/00/10.0,135/00/10.0\" str=\"道\";"),
            QStringLiteral("point oid=\"2\" pos=\"36/00/00.0,136/00/00.0\";"),
            QStringLiteral("rect oid=\"3\" pos=\"35/30/00.0,135/30/00.0\" width=\"2km\" height=\"1km\";"),
            QStringLiteral("area oid=\"4\" pos=\"x\";"),
            QStringLiteral("disp\tpos=\"35/00/05.0,135/00/05.0\"\r\n\t\t\t\tscale=\"25000\";"),
        };
        const PreviewResult r = PreviewStatements(script, map);
        QCOMPARE(r.figures, 3);
        QCOMPARE(r.labels, 1);
        QCOMPARE(r.skipped, 1);
        const MapShape* line = map.Shape(1);
        QVERIFY(line && !line->polygon);
        QCOMPARE(line->style.lineColor, RgbValue(0, 0, 255));
        QCOMPARE(line->style.lineWidth, 3);
        QCOMPARE(line->style.lineStyle, 1);
        QCOMPARE(map.Texts().begin()->second.color, RgbValue(0, 128, 0));
        // The rect of one position: 2 km by 1 km about it.
        const MapShape* rect = map.Shape(3);
        QVERIFY(rect && rect->polygon);
        QVERIFY(std::abs((rect->box.maxLat_deg - rect->box.minLat_deg) - 1 / 6378.0 * 180 / 3.14159265) < 1e-6);
        MapView v;
        ApplyPreviewView(v, r.view);
        QVERIFY(std::abs(v.centerLat_deg - (35 + 5 / 3600.0)) < 1e-9);
        QCOMPARE(qRound(v.LayerScale()), 25000);
        // Without `disp`: every figure in view.
        const PreviewResult all = PreviewStatements(script.mid(0, 4), map);
        MapView w;
        w.size = QSize(800, 600);
        ApplyPreviewView(w, all.view);
        const GeoBox shown = w.Box();
        QVERIFY(shown.minLat_deg <= 35 && shown.maxLat_deg >= 36 && shown.minLon_deg <= 135 && shown.maxLon_deg >= 136);
    }
};

KEL_TEST(MapWidgetTest);
#include "tst_MapWidget.moc"
