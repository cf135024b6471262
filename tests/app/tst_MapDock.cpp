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
