// The display switches of the editor on the recording map: the current figure, the
// selected-figures view and its refresh, moving the map, the reset when a document is
// replaced, and the figures that list edits draw while the view is on.
#include "MapFixture.h"
#include "TestMain.h"
#include "proatlas/FigureDrawing.h"

using namespace kel;
using namespace kel::test;

namespace {

const QStringList kFigures{
    QStringLiteral("point oid=\"1\" gid=\"1\" pos=\"35/00/00.0,135/00/00.0\";"),
    QStringLiteral("line oid=\"2\" gid=\"1\" pos=\"35/00/00.0,135/00/00.0,35/00/10.0,135/00/20.0\";"),
    QStringLiteral("group gid=\"1\" linergb=\"255,0,0\";"),
    QStringLiteral("circle oid=\"3\" gid=\"1\" pos=\"35/00/00.0,135/00/00.0\" r=\"1km\";"),
    QStringLiteral("area oid=\"4\" gid=\"1\" pos=\"35/00/00.0,135/00/00.0,35/00/10.0,135/00/00.0,35/00/10.0,135/00/10.0\";"),
};
// Lines: 0 mapserver, 1 point, 2 line, 3 group, 4 circle, 5 area, 6 mapserver end.

}  // namespace

class FigureViewTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void currentFigureSwitch() {
        MapFixture f;
        f.OpenFigures(kFigures);
        f.editor().ClickLine(4);
        QVERIFY(f.editor().RunAction(QStringLiteral("Disp")));
        QCOMPARE(f.editor().DispCaption(), QStringLiteral("ON"));
        QCOMPARE(f.session.figureView().MenuViewSwitchCaption(), QStringLiteral("[ON]Current Figures(&D)"));
        const int h = f.session.figureView().CurrentFigure();
        const MapShape* s = f.map.Shape(h);
        QVERIFY(s);
        QCOMPARE(s->style.lineColor, RgbValue(255, 0, 0));  // SingleAll
        // The circle of r 1km: a square of half side 1 / 6378 x 180 / 3.1415926 degrees.
        QCOMPARE(int(s->lat_ms.size()), 9);
        // (the rim point is written in the "KEL" form, to a tenth of a second)
        QVERIFY(std::abs((s->lat_ms[2] - s->lat_ms[0]) - 2 * KmToMilliArc(1)) <= 100);
        f.editor().RunAction(QStringLiteral("MenuViewSwitch"));
        QCOMPARE(f.editor().DispCaption(), QStringLiteral("OFF"));
        QCOMPARE(f.session.figureView().MenuViewSwitchCaption(), QStringLiteral("[OFF]Current Figures(&D)"));
        QCOMPARE(f.map.ShapeCount(), 0);
    }

    void selectedFiguresView_data() {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QList<int>>("shown");
        QTest::newRow("selected figures only") << QList<int>{1, 3, 5} << QList<int>{1, 5};
        QTest::newRow("nothing selected: every figure") << QList<int>{} << QList<int>{1, 2, 4, 5};
    }
    void selectedFiguresView() {
        QFETCH(QList<int>, selected);
        QFETCH(QList<int>, shown);
        MapFixture f;
        f.OpenFigures(kFigures);
        for (int i : selected) f.editor().List().SetSelected(i, true);
        f.editor().RunAction(QStringLiteral("ViewSelectedObject"));
        QCOMPARE(f.session.figureView().ViewSelectedCaption(), QStringLiteral("Off"));
        QCOMPARE(f.session.figureView().MenuViewSelectCaption(), QStringLiteral("[ON]Figures(&F)"));
        QCOMPARE(f.map.ShapeCount(), int(shown.size()));
        for (int i = 0; i < f.editor().List().Count(); ++i) {
            const int h = f.FigureOf(i);
            QCOMPARE(h > 0, shown.contains(i));
            if (h > 0) QCOMPARE(f.map.Shape(h)->style.lineColor, RgbValue(0, 255, 255));
        }
        QCOMPARE(f.editor().Title(), f.editor().BaseTitle());
        f.editor().RunAction(QStringLiteral("MenuViewSelect"));
        QCOMPARE(f.session.figureView().ViewSelectedCaption(), QStringLiteral("Select"));
        QCOMPARE(f.map.ShapeCount(), 0);
        for (int i = 0; i < f.editor().List().Count(); ++i) QCOMPARE(f.FigureOf(i), 0);
    }

    void refreshShowsEveryFigureOnce() {
        MapFixture f;
        f.OpenFigures(kFigures);
        f.editor().List().SetSelected(1, true);
        f.editor().RunAction(QStringLiteral("ViewSelectedObject"));
        QCOMPARE(f.map.ShapeCount(), 1);
        f.editor().RunAction(QStringLiteral("MenuViewRefreshFigure"));
        QCOMPARE(f.map.ShapeCount(), 4);
        f.editor().RunAction(QStringLiteral("MenuViewRefreshFigure"));
        QCOMPARE(f.map.ShapeCount(), 4);
        QCOMPARE(f.session.figureView().ViewSelectedCaption(), QStringLiteral("Off"));
    }

    void editsDrawWhileTheViewIsOn() {
        MapFixture f;
        f.OpenFigures(kFigures);
        // View off: an applied edit draws nothing.
        f.editor().ClickLine(1);
        f.editor().SetParValue(1, QStringLiteral("9"));
        QVERIFY(f.editor().ApplyPendingEdits());
        QCOMPARE(f.FigureOf(1), 0);
        QCOMPARE(f.map.ShapeCount(), 0);
        // View on: the edited figure is drawn anew and the old shape goes.
        f.editor().RunAction(QStringLiteral("ViewSelectedObject"));
        const int before = f.FigureOf(1);
        f.editor().ClickLine(1);
        f.editor().SetParValue(1, QStringLiteral("10"));
        QVERIFY(f.editor().ApplyPendingEdits());
        QVERIFY(f.FigureOf(1) > 0);
        QVERIFY(f.FigureOf(1) != before);
        QVERIFY(!f.map.Shape(before));
        QCOMPARE(f.map.ShapeCount(), 4);
        // Cut removes the shapes of the cut lines; paste draws them again.
        f.editor().List().SetSelected(2, true);
        f.editor().RunAction(QStringLiteral("CmdCut"));
        QCOMPARE(f.map.ShapeCount(), 3);
        f.editor().RunAction(QStringLiteral("CmdPaste"));
        QCOMPARE(f.map.ShapeCount(), 4);
    }

    void replacingTheDocumentResetsTheDisplay() {
        MapFixture f;
        f.OpenFigures(kFigures);
        f.editor().ClickLine(1);
        f.editor().RunAction(QStringLiteral("Disp"));
        f.editor().RunAction(QStringLiteral("ViewSelectedObject"));
        QCOMPARE(f.map.ShapeCount(), 5);
        f.OpenFigures(kFigures.mid(0, 2), QStringLiteral("g.kel"));
        QCOMPARE(f.map.ShapeCount(), 0);
        QCOMPARE(f.editor().DispCaption(), QStringLiteral("OFF"));
        QCOMPARE(f.session.figureView().ViewSelectedCaption(), QStringLiteral("Select"));
        f.editor().RunAction(QStringLiteral("MenuFileClear"));
        QCOMPARE(f.map.ShapeCount(), 0);
    }

    void openingMovesTheMapToTheMeanOfTheCentres() {
        MapFixture f;
        f.OpenFigures(kFigures);
        // Centres: point and circle their first position, line and area the mean of theirs.
        const double lat = (35.0 + 35.0 + (35.0 + 35 + 10 / 3600.0) / 2 + (35.0 + 2 * (35 + 10 / 3600.0)) / 3) / 4;
        const double lon = (135.0 + 135.0 + (135.0 + 135 + 20 / 3600.0) / 2 + (3 * 135.0 + 10 / 3600.0) / 3) / 4;
        QVERIFY(!f.map.Moves().empty());
        QVERIFY(std::abs(f.map.Moves().back().lat_ms - lat * 3600000) <= 1);
        QVERIFY(std::abs(f.map.Moves().back().lon_ms - lon * 3600000) <= 1);
        const size_t moves = f.map.Moves().size();
        f.editor().RunAction(QStringLiteral("MenuViewFigures"));
        QCOMPARE(f.map.Moves().size(), moves + 1);
    }

    void snappingUsesTheMapsMarkAndScale() {
        MapFixture f;
        f.OpenFigures(kFigures);
        f.map.SetLayerScale(25000);
        QCOMPARE(f.session.mapDisplay().MarkerSize(), 0.02);
        f.map.SetLayerScale(30000000);
        QCOMPARE(f.session.mapDisplay().MarkerSize(), 20.0);
        // A click on the map beside the line's far end snaps to it.
        f.map.SetLayerScale(25000);
        f.map.SetMark(35 + 10 / 3600.0, 135 + 20 / 3600.0 + 0.00001);
        f.editor().ClickLine(0);
        f.editor().RunAction(QStringLiteral("MenuEditSnapFind"));
        QCOMPARE(f.editor().List().Current(), 2);
    }
};

KEL_TEST(FigureViewTest);
#include "tst_FigureView.moc"
