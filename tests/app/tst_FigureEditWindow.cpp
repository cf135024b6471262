// Figure edits carried out by clicking on the built-in map of the main window (offscreen):
// a move and a combine in two clicks each (highlight, undo step), Snap Object at the mark.
#include <QPushButton>

#include "TestMain.h"
#include "WindowFixture.h"
#include "geo/Coordinates.h"
#include "proatlas/MapWidget.h"
#include "script/Statement.h"

using namespace kel;
using namespace kel::test;

namespace {

const QString kA = QStringLiteral("35/30/00.0,139/45/00.0");
const QString kB = QStringLiteral("35/30/03.0,139/45/03.0");
const QString kC = QStringLiteral("35/30/06.0,139/45/00.0");
const QString kP = QStringLiteral("35/29/55.0,139/44/55.0");
const QString kD = QStringLiteral("35/30/09.0,139/45/00.0");
const QString kE = QStringLiteral("35/30/12.0,139/45/00.0");

struct EditWindow : WindowFixture {
    MapWidget* map = nullptr;

    EditWindow() {
        const QString path = WriteScript(
            QStringLiteral("edit.kel"),
            {QStringLiteral("line oid=\"L\" gid=\"1\" pos=\"%1,%2,%3\";").arg(kA, kB, kC),
             QStringLiteral("point oid=\"P\" gid=\"1\" pos=\"%1\";").arg(kP),
             QStringLiteral("line oid=\"M\" gid=\"1\" pos=\"%1,%2\";").arg(kD, kE)});
        editor().SetEditFg(0);
        editor().DoOpenKelFile(path);
        map = window->findChild<MapWidget*>(QStringLiteral("MapWidget"));
        MapView v = map->View();
        v.centerLat_deg = 35.5;
        v.centerLon_deg = 139.75;
        v.SetLayerScale(25000);
        map->SetView(v);
    }
    QString Snap() const { return Find<QPushButton>(QStringLiteral("SnapObject"))->text(); }
    // Clicks the map at a "lat,lon" position.
    void ClickAt(const QString& pos) {
        const QStringList p = pos.split(QLatin1Char(','));
        const QPointF at = map->View().ToScreen(KelToDegrees(p[0]), KelToDegrees(p[1]));
        QTest::mouseClick(map, Qt::LeftButton, {}, at.toPoint());
    }
    QString Pos(int i) { return GetParamValue(editor().CommandTextAt(i), QStringLiteral("pos")); }
    FigureEditState& Edit() { return app->session().figureEdit(); }
};

}  // namespace

class FigureEditWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Move: the first click picks the point (highlighted, "Dst"), the second the destination.
    void moveByTwoClicks() {
        EditWindow f;
        f.Action(QStringLiteral("KelEditFigureMove"))->trigger();
        QCOMPARE(f.Snap(), QStringLiteral("Org"));
        f.ClickAt(kP);
        QCOMPARE(f.Snap(), QStringLiteral("Dst"));
        // The figures go to the recording map of the fixture: the point is shown "Snap".
        const auto shown = [&f](int figure) {
            const auto& s = f.figures.Shown();
            return std::find(s.begin(), s.end(), figure) != s.end();
        };
        const int highlight = f.Edit().snapFigure;
        QVERIFY(highlight > 0 && shown(highlight));
        const auto& calls = f.figures.Calls();
        const auto drawn = std::find_if(calls.begin(), calls.end(),
                                        [highlight](const auto& c) { return c.result == highlight; });
        QCOMPARE(drawn->style, QStringLiteral("Snap"));
        QCOMPARE(drawn->posText, kP);

        f.prompts().Answer(kAnswerYes);
        const QString target = QStringLiteral("35/29/50.0,139/44/50.0");
        f.ClickAt(target);
        QCOMPARE(f.prompts().Last().prompt, QStringLiteral("選択図形を移動しますか？"));
        QCOMPARE(f.Snap(), QStringLiteral("Snap"));
        QVERIFY(!shown(highlight));
        // Moved to the clicked position, within a pixel at this scale (about 7 m).
        const QStringList moved = f.Pos(1).split(QLatin1Char(','));
        const QStringList want = target.split(QLatin1Char(','));
        QVERIFY2(std::abs(KelToDegrees(moved[0]) - KelToDegrees(want[0])) < 1e-4, qPrintable(f.Pos(1)));
        QVERIFY2(std::abs(KelToDegrees(moved[1]) - KelToDegrees(want[1])) < 1e-4, qPrintable(f.Pos(1)));
        QCOMPARE(f.Pos(0), QStringList({kA, kB, kC}).join(QLatin1Char(',')));
        QVERIFY(f.editor().Undo());
        QCOMPARE(f.Pos(1), kP);
    }

    // Combine: the first line at its end, then the second at its start; the first line
    // takes the second's positions.
    void combineByTwoClicks() {
        EditWindow f;
        f.Action(QStringLiteral("KelEditFigureConbine"))->trigger();
        QCOMPARE(f.Snap(), QStringLiteral("Snp1"));
        f.ClickAt(kC);
        QCOMPARE(f.Snap(), QStringLiteral("Snp2"));
        f.prompts().Answer(kAnswerYes);
        f.ClickAt(kD);
        QCOMPARE(f.prompts().Last().prompt, QStringLiteral("選択図形を端点で接続しますか？"));
        QCOMPARE(f.Pos(0), QStringList({kA, kB, kC, kD, kE}).join(QLatin1Char(',')));
        QCOMPARE(f.Snap(), QStringLiteral("Snap"));
    }

    // Snap Object (F1) finds the figure under the mark a click has set; with Shift it is
    // selected as well.
    void snapFindsTheFigureUnderTheMark() {
        EditWindow f;
        f.ClickLine(1);
        f.ClickAt(kC);
        QCOMPARE(f.editor().List().Current(), 1);
        f.Action(QStringLiteral("MenuEditSnapFind"))->trigger();
        QCOMPARE(f.editor().List().Current(), 0);
        QCOMPARE(f.editor().Params().curKelCmdCaption, QStringLiteral("line"));
        QCOMPARE(f.editor().DispCaption(), QStringLiteral("ON"));
        f.ClickAt(kP);
        f.Action(QStringLiteral("MenuEditSnapSelect"))->trigger();
        QCOMPARE(f.editor().List().Current(), 1);
        QVERIFY(f.editor().List().Selected(1));
    }
};

KEL_TEST(FigureEditWindowTest);

#include "tst_FigureEditWindow.moc"
