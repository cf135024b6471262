// The map docked in the main window: opened at start-up with its mark on, the display
// switches drawing on it with their captions on buttons and menus, the preview, and the
// map released when the window closes.
#include <QPushButton>

#include "TestMain.h"
#include "WindowFixture.h"
#include "app/MapDockWidget.h"
#include "proatlas/MapWidget.h"

using namespace kel;
using namespace kel::test;

class MapDockTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startUpOpensTheMapAndTheSwitchesDrawOnIt() {
        WindowFixture f;
        auto* dock = f.Find<MapDockWidget>(QStringLiteral("MapDock"));
        QVERIFY(dock);
        MapWidget* map = dock->Map();
        QVERIFY(map->EnableMark());
        QCOMPARE(f.app->session().mapDisplay().Map(), static_cast<ProAtlas*>(map));

        const QString path = f.WriteScript(QStringLiteral("a.kel"),
            {QStringLiteral("point oid=\"1\" pos=\"35/00/00.0,135/00/00.0\";"),
             QStringLiteral("line oid=\"2\" pos=\"35/00/00.0,135/00/00.0,35/01/00.0,135/01/00.0\";")});
        f.editor().SetEditFg(0);
        f.editor().DoOpenKelFile(path);
        // Opening moved the map to the figures.
        QVERIFY(std::abs(map->View().centerLat_deg - 35.0042) < 0.001);

        f.window->RunNamed(QStringLiteral("MenuViewRefreshFigure"));
        QCOMPARE(map->ShapeCount(), 2);
        QCOMPARE(f.Find<QPushButton>(QStringLiteral("ViewSelectedObject"))->text(), QStringLiteral("Off"));
        QCOMPARE(f.Action(QStringLiteral("MenuViewSelect"))->text(), QStringLiteral("[ON]Figures(&F)"));
        f.window->RunNamed(QStringLiteral("ViewSelectedObject"));
        QCOMPARE(map->ShapeCount(), 0);
        QCOMPARE(f.Find<QPushButton>(QStringLiteral("ViewSelectedObject"))->text(), QStringLiteral("Select"));

        f.ClickLine(0);
        f.window->RunNamed(QStringLiteral("MenuViewSwitch"));
        QCOMPARE(map->ShapeCount(), 1);
        QCOMPARE(f.Action(QStringLiteral("MenuViewSwitch"))->text(), QStringLiteral("[ON]Current Figures(&D)"));
    }

    // With an edit armed, a click on the map takes its step: the snap button shows the
    // step, and a line is divided at the clicked point.
    void aClickOnTheMapCarriesOutAnArmedEdit() {
        WindowFixture f;
        MapWidget* map = f.Find<MapDockWidget>(QStringLiteral("MapDock"))->Map();
        const QString path = f.WriteScript(QStringLiteral("a.kel"),
            {QStringLiteral("line oid=\"2\" pos=\"35/00/00.0,135/00/00.0,35/00/00.0,135/02/00.0\";")});
        f.editor().SetEditFg(0);
        f.editor().DoOpenKelFile(path);
        MapView v = map->View();
        v.centerLat_deg = 35.0;
        v.centerLon_deg = 135.0 + 1 / 60.0;
        v.SetLayerScale(25000);
        map->SetView(v);
        f.ClickLine(0);
        auto* snap = f.Find<QPushButton>(QStringLiteral("SnapObject"));
        QCOMPARE(snap->text(), QStringLiteral("Snap"));
        f.window->RunNamed(QStringLiteral("KelEditFigureDivide"));
        QCOMPARE(snap->text(), QStringLiteral("Div"));
        f.prompts().Answer(kAnswerYes);
        QTest::mouseClick(map, Qt::LeftButton, {}, v.ToScreen(35.0, 135.0 + 1 / 60.0).toPoint());
        QCOMPARE(f.editor().List().Count(), 2);
        QCOMPARE(f.prompts().Last().title, QStringLiteral("Divide"));
        QCOMPARE(snap->text(), QStringLiteral("Snap"));
        // Without an armed edit a click only sets the mark: the list stays.
        QTest::mouseClick(map, Qt::LeftButton, {}, v.ToScreen(35.0, 135.0 + 1.5 / 60.0).toPoint());
        QCOMPARE(f.editor().List().Count(), 2);
    }

    void thePreviewStartsTheMapProgram() {
        WindowFixture f;
        f.editor().New();
        f.window->RunNamed(QStringLiteral("DispAll"));
        const auto& started = f.platform.recordingLauncher.Started();
        QCOMPARE(started.size(), 1);
        QVERIFY(IsKelmap(started[0].program));
        QCOMPARE(f.Find<QPushButton>(QStringLiteral("DispAll"))->text(), QStringLiteral("Off"));
        QCOMPARE(f.Action(QStringLiteral("MenuViewProAtlas"))->text(), QStringLiteral("PreView ProAtlas(&P)[ON]"));
        f.window->RunNamed(QStringLiteral("MenuViewProAtlas"));
        QCOMPARE(f.Find<QPushButton>(QStringLiteral("DispAll"))->text(), QStringLiteral("P.Atls"));
        QCOMPARE(f.platform.recordingLauncher.Stopped().size(), 1);
    }

    void closingTheWindowReleasesTheMap() {
        WindowFixture f;
        QVERIFY(f.app->session().proAtlas().App());
        f.prompts().SetDefaultMessageAnswer(kAnswerYes);
        f.window->close();
        QVERIFY(!f.app->session().proAtlas().App());
        QCOMPARE(f.app->session().mapDisplay().Map(), nullptr);
    }
};

KEL_TEST(MapDockTest);
#include "tst_MapDock.moc"
